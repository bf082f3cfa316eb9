#pragma once

// The one walk over a line that every calculation of a network shares: from the line head's
// first component along each chain, into every branch chain before the main passage of its
// branch piece goes on, to every chain end. A value rides along each path (a pressure for the
// pressure loss, a spectrum for sound); the client says what each node does to it.
//
// The walk keeps its own stack, so a tree of ten thousand levels walks like a flat one.

#include "network/catalogue.h"
#include "network/dvdata.h"
#include "network/tree_container.h"
#include "pressure/calc_context.h"

#include <vector>

namespace zephan {

// The hooks of a walk. Each returns false to stop the walk (a cancel, a node that cannot be
// calculated); the walk then ends at once.
template <class Wert> class Netzklient {
public:
    virtual ~Netzklient() = default;

    // A node is reached, with the value on its path so far; before any of its passages.
    virtual bool knoten(tmylistitem* n, const Wert& wert) = 0;
    // Branch passage `zweig` of a branch piece (1; 2 for the second branch of a cross): the
    // value the branch chain starts with. Called also when the branch holds no chain.
    virtual bool abzweig(tmylistitem* n, int zweig, const Wert& vorher, Wert& imZweig) = 0;
    // The main passage: what the node does to the value of the path that goes on.
    virtual bool durchgang(tmylistitem* n, Wert& wert) = 0;
    // The last node of a chain, with the value after its main passage.
    virtual void kettenende(tmylistitem* n, const Wert& wert) = 0;
};

// Branches of a node with `enden` connections: a branch piece has one (its children are the
// branch chain), a cross two (each in a branch container among its children).
inline int zweigAnzahl(int enden) {
    return enden == 3 ? 1 : enden == 4 ? 2 : 0;
}

// The node that holds branch `zweig`'s chain as children: the piece itself, or a cross's
// branch container.
inline tmylistitem* zweigBehaelter(tmylistitem* n, int enden, int zweig) {
    return enden == 3 ? n : n->child(zweig - 1);
}

// Walks the line of `kopf` from its first component with the value `start`. With `ziel` (a
// chain end), only the path into the chain that holds it is walked: other branches are left
// out and a chain ends after the branch that leads on to the target. The catalogue of the
// context tells the connections of each type. False when a hook stopped the walk.
template <class Wert>
bool netzGehen(const tmylistitem* kopf, Netzklient<Wert>& klient, const Wert& start,
               const Rechenkontext& kontext, const tmylistitem* ziel = nullptr) {
    struct Rahmen {
        tmylistitem* knoten;
        Wert wert;
        int zweig = 0;        // branches of the current node dealt with
        int enden = 0;        // connections of the current node
        bool zurueck = false; // a branch chain of the current node was just walked
    };
    tmylistitem* erster = kopf ? kopf->getChild() : nullptr;
    if (!erster) return true;
    std::vector<Rahmen> st;
    st.push_back({erster, start});
    while (!st.empty()) {
        Rahmen& f = st.back();
        tmylistitem* n = f.knoten;
        if (f.zweig == 0 && !f.zurueck) {
            if (!klient.knoten(n, f.wert)) return false;
            const tBasisDaten_* kat = kontext.typ(typVon(n));
            f.enden = kat ? kat->enden : 0;
        }
        if (f.zurueck) {
            f.zurueck = false;
            if (ziel) { // the target's branch was walked: this chain ends here
                st.pop_back();
                if (!st.empty()) st.back().zurueck = true;
                continue;
            }
        }
        bool hinein = false;
        while (f.zweig < zweigAnzahl(f.enden)) {
            const int k = ++f.zweig;
            tmylistitem* behaelter = zweigBehaelter(n, f.enden, k);
            if (ziel && !(behaelter && behaelter->isAncestorOf(ziel))) continue;
            Wert imZweig = f.wert;
            if (!klient.abzweig(n, k, f.wert, imZweig)) return false;
            tmylistitem* kette = behaelter ? behaelter->getChild() : nullptr;
            if (!kette) {
                if (ziel) break;
                continue;
            }
            f.zurueck = true;
            hinein = true;
            st.push_back({kette, std::move(imZweig)}); // f is no longer valid
            break;
        }
        if (hinein) continue;
        if (!klient.durchgang(n, f.wert)) return false;
        if (tmylistitem* naechster = n->getNextSibling()) {
            f.knoten = naechster;
            f.zweig = 0;
            continue;
        }
        klient.kettenende(n, f.wert);
        st.pop_back();
        if (!st.empty()) st.back().zurueck = true;
    }
    return true;
}

} // namespace zephan
