#pragma once

// The GenApi enumerations the feature tree works with. The numeric values are
// stored and compared as integers throughout, so they are fixed.
namespace GenApi {

enum EVisibility {
    Beginner = 0,
    Expert = 1,
    Guru = 2,
    Invisible = 3,
    _UndefinedVisibility = 99
};

enum EAccessMode {
    NI = 0, ///< not implemented
    NA = 1, ///< not available
    WO = 2, ///< write only
    RO = 3, ///< read only
    RW = 4, ///< read and write
    _UndefinedAccesMode = 5,
    _CycleDetectAccesMode = 6
};

} // namespace GenApi
