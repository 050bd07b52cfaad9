#include "genicam/genericexception.h"
#include "genicamzip_p.h"

#include <memory>
#include <zip.h>

namespace ParameterCollection {

namespace {
// The largest node maps cameras ship are a few megabytes.
constexpr zip_uint64_t largestXml = 64 * 1024 * 1024;

[[noreturn]] void refuse(const QString& sourceName, const QString& why)
{
    GENICAM_THROW(InvalidArgumentException,
                  ("The zipped GenICam XML '" + sourceName + "' cannot be read: " + why).toStdString());
}
} // namespace

bool isZip(const QByteArray& data)
{
    return data.startsWith(QByteArrayLiteral("PK\x03\x04"));
}

QByteArray unzipGenicamXml(const QByteArray& zip, const QString& sourceName)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(zip.constData(), zip_uint64_t(zip.size()), 0, &error);
    if (!source)
        refuse(sourceName, QString::fromUtf8(zip_error_strerror(&error)));
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        zip_source_free(source);
        const QString why = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        refuse(sourceName, why);
    }
    zip_error_fini(&error);
    const std::unique_ptr<zip_t, int (*)(zip_t*)> owner(archive, zip_close);

    const zip_int64_t entries = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)
            || !QString::fromUtf8(stat.name).endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
            continue;
        if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > largestXml)
            refuse(sourceName, QStringLiteral("%1 is larger than a node map can be").arg(QString::fromUtf8(stat.name)));
        const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(archive, zip_uint64_t(i), 0),
                                                                     zip_fclose);
        if (!file)
            refuse(sourceName, QString::fromUtf8(zip_strerror(archive)));
        QByteArray xml(int(stat.size), Qt::Uninitialized);
        // The size in the directory may lie: what is read stops there.
        const zip_int64_t read = zip_fread(file.get(), xml.data(), stat.size);
        if (read < 0 || zip_uint64_t(read) != stat.size)
            refuse(sourceName, QStringLiteral("%1 is damaged").arg(QString::fromUtf8(stat.name)));
        return xml;
    }
    refuse(sourceName, QStringLiteral("it holds no .xml file"));
}

} // namespace ParameterCollection
