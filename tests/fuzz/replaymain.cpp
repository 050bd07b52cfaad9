// Replays every file in the folders named on the command line through a fuzz target.
#include "fuzz.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const QFileInfo& info : QDir(QFile::decodeName(argv[i])).entryInfoList(QDir::Files, QDir::Name)) {
            QFile file(info.filePath());
            Fuzz::require(file.open(QIODevice::ReadOnly));
            const QByteArray input = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size()));
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
