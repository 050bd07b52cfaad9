#include "genicam/genericexception.h"

#include <utility>

namespace GenICam {

namespace {
std::string baseName(const char* path)
{
    std::string p = path ? path : "";
    const auto slash = p.find_last_of("/\\");
    return slash == std::string::npos ? p : p.substr(slash + 1);
}
} // namespace

GenericException::GenericException(std::string description, const char* sourceFile, unsigned int sourceLine)
    : GenericException("GenericException", std::move(description), sourceFile, sourceLine)
{
}

GenericException::GenericException(const char* exceptionType, std::string description, const char* sourceFile,
                                   unsigned int sourceLine)
    : m_description(std::move(description))
    , m_sourceFile(sourceFile ? sourceFile : "")
    , m_sourceLine(sourceLine)
{
    m_what = m_description + " : " + exceptionType + " thrown (file '" + baseName(sourceFile) + "', line "
           + std::to_string(sourceLine) + ")";
}

GenericException::~GenericException() = default;

const char* GenericException::what() const noexcept
{
    return m_what.c_str();
}

#define ORVIK_GENICAM_EXCEPTION_IMPL(ClassName)                                                         \
    ClassName::ClassName(std::string description, const char* sourceFile, unsigned int sourceLine)      \
        : GenericException(#ClassName, std::move(description), sourceFile, sourceLine)                  \
    {                                                                                                   \
    }                                                                                                   \
    ClassName::ClassName(const char* exceptionType, std::string description, const char* sourceFile,    \
                         unsigned int sourceLine)                                                       \
        : GenericException(exceptionType, std::move(description), sourceFile, sourceLine)               \
    {                                                                                                   \
    }                                                                                                   \
    ClassName::~ClassName() = default;

ORVIK_GENICAM_EXCEPTION_IMPL(InvalidArgumentException)
ORVIK_GENICAM_EXCEPTION_IMPL(OutOfRangeException)
ORVIK_GENICAM_EXCEPTION_IMPL(AccessException)
ORVIK_GENICAM_EXCEPTION_IMPL(LogicalErrorException)
ORVIK_GENICAM_EXCEPTION_IMPL(RuntimeException)
ORVIK_GENICAM_EXCEPTION_IMPL(TimeoutException)

DisconnectedException::DisconnectedException(std::string description, const char* sourceFile, unsigned int sourceLine)
    : AccessException("DisconnectedException", std::move(description), sourceFile, sourceLine)
{
}
DisconnectedException::~DisconnectedException() = default;

} // namespace GenICam
