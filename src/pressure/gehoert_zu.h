#pragma once

namespace zephan {

class tmylistitem;

// Whether `ziel` lies in the part of the tree that a chain from `erster` on covers: `erster` is
// `ziel` or one of its siblings, or the ancestor of `ziel` at the level of `erster`, or an
// earlier sibling of that ancestor. With `erster` the first child of a node, it tells whether
// `ziel` lies below that node. False when either is none or `ziel` stands above `erster`.
bool gehoertZu(const tmylistitem* erster, const tmylistitem* ziel);

} // namespace zephan
