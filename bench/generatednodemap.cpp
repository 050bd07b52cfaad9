#include "generatednodemap.h"

#include <QString>
#include <QTextStream>

#include <functional>

namespace {
constexpr int subCategories = 4; // per category on the two levels below the top
constexpr int featuresPerLeafCategory = 15;
constexpr int featuresPerInnerCategory = 2;
} // namespace

GeneratedNodeMap::GeneratedNodeMap(int topCategories)
{
    static const char* const stems[]
        = { "Gain", "Width", "Offset", "Exposure", "Temperature", "Line", "Trigger", "Counter" };
    static const char* const levels[] = { "Beginner", "Beginner", "Beginner", "Beginner", "Beginner",
                                          "Beginner", "Expert",   "Expert",   "Guru",     "Invisible" };
    QTextStream out(&xml);
    const auto addFeatures = [&](int count) {
        for (int i = 0; i < count; ++i) {
            const int n = features++;
            const bool match = n % 100 == 42;
            matching += match ? 1 : 0;
            const QString name = QStringLiteral("%1%2%3")
                                     .arg(QLatin1String(match ? searchWord : ""))
                                     .arg(QLatin1String(stems[n % 8]))
                                     .arg(n);
            const char* const visibility = levels[(n / 3) % 10];
            switch (n % 4) {
            case 0:
            case 1:
                out << "<Integer name=\"" << name << "\" value=\"" << n << "\" visibility=\"" << visibility
                    << "\" unit=\"px\"/>";
                break;
            case 2:
                out << "<Float name=\"" << name << "\" value=\"1.5\" min=\"0\" max=\"100\" visibility=\"" << visibility
                    << "\" displayName=\"" << name << " value\"/>";
                break;
            default:
                out << "<Boolean name=\"" << name << "\" value=\"true\" visibility=\"" << visibility << "\"/>";
                break;
            }
        }
    };
    std::function<void(const QString&, int)> category = [&](const QString& name, int depth) {
        ++categories;
        out << "<Category name=\"" << name << "\">";
        if (depth == 3) {
            addFeatures(featuresPerLeafCategory);
        } else {
            for (int s = 0; s < subCategories; ++s)
                category(QStringLiteral("%1_%2").arg(name).arg(s), depth + 1);
            addFeatures(featuresPerInnerCategory);
        }
        out << "</Category>";
    };
    out << "<NodeMap role=\"@CameraDevice\"><Category name=\"Root\">";
    for (int c = 0; c < topCategories; ++c)
        category(QStringLiteral("Category%1").arg(c), 1);
    out << "</Category></NodeMap>";
    out.flush();
}
