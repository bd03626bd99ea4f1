// The playlist-name rules on any text: a name that CreatePlaylist accepts names a folder
// directly inside the playlists folder, that the lists give back under the same name; the
// name of a listed folder never holds a separator.
#include "FuzzCheck.h"

#include "form/FolderLayout.h"
#include "playlists/PlaylistFolders.h"

#include <QDir>
#include <QFileInfo>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString fromPath = FolderLayout::PlaylistNameFromPath(text);
    require(!fromPath.contains(QLatin1Char('/')), "a listed name holds no separator");

    if (!PlaylistFolders::isSafeName(text))
        return 0;
    require(!text.isEmpty() && text != QLatin1String(".") && text != QLatin1String(".."),
            "an accepted name is a name");
    for (const QChar c : text)
        require(c != QLatin1Char('/') && c != QLatin1Char('\\') && c.unicode() >= 0x20 &&
                    c.unicode() != 0x7f,
                "an accepted name holds no separator and no control character");
    const QString program = QStringLiteral("/opt/Playlists/tovia");
    const QString folder = FolderLayout::playlistFolder(program, text);
    const QFileInfo info(QDir::cleanPath(folder));
    require(info.path() == QDir::cleanPath(FolderLayout::playlistsFolder(program)),
            "an accepted name makes a folder directly inside the playlists folder");
    require(info.fileName() == text, "the folder has exactly the name");
    require(FolderLayout::PlaylistNameFromPath(folder) == text, "the listing gives the name back");
    require(QFile::decodeName(QFile::encodeName(text)) == text,
            "the file system stores the name as it is");
    return 0;
}
