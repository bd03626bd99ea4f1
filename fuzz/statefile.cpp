// The state-file reader on any bytes: it reads at most three lines, none of them holding a line
// break, and whatever it reads is written as exactly three lines that read back unchanged.
#include "FuzzCheck.h"

#include "form/StateFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    int lines = -1;
    const StateValues values = StateFile::parse(content, &lines);
    require(lines >= 0 && lines <= 3, "at most three lines are read");
    for (const QString& value : {values.currentPlaylist, values.lastUpdated, values.musicFolder})
        require(!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')),
                "no value holds a line break");

    const QByteArray written = StateFile::encode(values);
    require(written.count("\r\n") == 3 && written.count('\r') == 3 && written.count('\n') == 3 &&
                written.endsWith("\r\n"),
            "the writer writes three lines ending in CR LF");
    int again = -1;
    const StateValues reread = StateFile::parse(written, &again);
    require(again == 3, "what was written reads back as three lines");
    require(reread.currentPlaylist == values.currentPlaylist &&
                reread.lastUpdated == values.lastUpdated &&
                reread.musicFolder == values.musicFolder,
            "what was read is written and read back unchanged");
    return 0;
}
