#pragma once

#include "genicambase_export.h"

#include <exception>
#include <string>

namespace GenICam {

/// Base of the GenICam exception family: a description plus the source
/// location that raised it. what() gives the description first, then the
/// exception's class and source location:
/// "Value 'x' is not a number : InvalidArgumentException thrown (file 'a.cpp', line 12)".
class GENICAMBASE_EXPORT GenericException : public std::exception
{
public:
    GenericException(std::string description, const char* sourceFile, unsigned int sourceLine);
    ~GenericException() override;

    const char* what() const noexcept override;
    const char* GetDescription() const noexcept { return m_description.c_str(); }
    const char* GetSourceFileName() const noexcept { return m_sourceFile.c_str(); }
    unsigned int GetSourceLine() const noexcept { return m_sourceLine; }

protected:
    GenericException(const char* exceptionType, std::string description, const char* sourceFile,
                     unsigned int sourceLine);

private:
    std::string m_description;
    std::string m_sourceFile;
    unsigned int m_sourceLine = 0;
    std::string m_what;
};

#define ORVIK_GENICAM_EXCEPTION_CLASS(ClassName)                                                        \
    class GENICAMBASE_EXPORT ClassName : public GenericException                                        \
    {                                                                                                   \
    public:                                                                                             \
        ClassName(std::string description, const char* sourceFile, unsigned int sourceLine);            \
        ~ClassName() override;                                                                          \
                                                                                                        \
    protected:                                                                                          \
        ClassName(const char* exceptionType, std::string description, const char* sourceFile,           \
                  unsigned int sourceLine);                                                             \
    };

/// An argument was invalid: malformed text, an unknown entry, inconsistent data.
ORVIK_GENICAM_EXCEPTION_CLASS(InvalidArgumentException)
/// A value lies outside the allowed range or off the increment grid.
ORVIK_GENICAM_EXCEPTION_CLASS(OutOfRangeException)
/// The feature's access mode does not allow the operation.
ORVIK_GENICAM_EXCEPTION_CLASS(AccessException)
/// The operation makes no sense for this feature (wrong type, no such property).
ORVIK_GENICAM_EXCEPTION_CLASS(LogicalErrorException)
/// Something failed while the operation ran (device, transport, injected fault).
ORVIK_GENICAM_EXCEPTION_CLASS(RuntimeException)
/// A wait ran out of time.
ORVIK_GENICAM_EXCEPTION_CLASS(TimeoutException)

#undef ORVIK_GENICAM_EXCEPTION_CLASS

/// The device behind a parameter collection stopped answering or went away:
/// the call did not reach it. Raised at once, without waiting on the device,
/// by every call made after the collection noticed the loss. An access
/// failure, so that handlers of AccessException see it too.
class GENICAMBASE_EXPORT DisconnectedException : public AccessException
{
public:
    DisconnectedException(std::string description, const char* sourceFile, unsigned int sourceLine);
    ~DisconnectedException() override;
};

} // namespace GenICam

/// Raise a GenICam exception of the given class with the current file and line:
/// GENICAM_THROW(InvalidArgumentException, "Value '" + text + "' is not a number");
#define GENICAM_THROW(ExceptionClass, description)                                                      \
    throw ::GenICam::ExceptionClass((description), __FILE__, static_cast<unsigned int>(__LINE__))
