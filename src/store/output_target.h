#pragma once

#include <QByteArray>
#include <QString>

namespace zephan {

// Where a file written under `path` really goes. A symbolic link is followed to the file it
// names, so the file is replaced and the link stays a link. An existing target that is no
// regular file (a device, a FIFO, a socket) is refused: replacing it by a regular
// file would destroy it (/dev/null for the administrator), and writing into it is no save.
// False with the message in `grund`; true with the path to replace in `ziel`.
bool schreibZiel(const QString& path, QString& ziel, QString& grund);

// Writes `bytes` to the target of `path` through a temporary file beside it that is renamed
// over the target, so a failed write leaves the old file whole. False with the message in
// `grund` ("Die Datei ... kann nicht geschrieben werden: ...").
bool dateiSchreiben(const QString& path, const QByteArray& bytes, QString& grund);

} // namespace zephan
