#pragma once

#include <QByteArray>
#include <QString>

namespace zephan {

// The data blocks carried in the program (catalogue, example project, tables) live as
// Qt resources below ":/data/". Returns an empty array when the block does not exist.
QByteArray carriedData(const QString& name);

} // namespace zephan
