#include "featuretree/ifeaturetreemodelextension.h"

// Defined here so that the vtable and type information live once, in this
// library: hosts and the view find the interface with dynamic_cast.
IFeatureTreeModelExtension::~IFeatureTreeModelExtension() = default;
