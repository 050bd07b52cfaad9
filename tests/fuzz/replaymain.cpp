// Replays inputs through a fuzz target without libFuzzer: every file named on
// the command line, and every file in the folders named there.
#include "fuzz.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo given(QFile::decodeName(argv[i]));
        QStringList files{given.filePath()};
        if (given.isDir()) {
            files.clear();
            for (const QFileInfo& f : QDir(given.filePath()).entryInfoList(QDir::Files, QDir::Name))
                files << f.filePath();
        }
        for (const QString& path : qAsConst(files)) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray input = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size()));
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
