#pragma once

#include "network/tree_container.h"

#include <QString>
#include <QStringBuilder>
#include <unordered_map>
#include <vector>

namespace zephan {

// Node positions ("1.5.2"), each made from its parent's: in a deep tree every row would
// otherwise walk up to the top and write every number again.
class Positionen {
public:
    const QString& von(const tmylistitem* n) {
        std::vector<const tmylistitem*> offen;
        const QString* oben = nullptr;
        for (const tmylistitem* k = n; k; k = k->parent()) {
            const auto it = cache_.find(k);
            if (it != cache_.end()) {
                oben = &it->second;
                break;
            }
            offen.push_back(k);
        }
        for (auto it = offen.rbegin(); it != offen.rend(); ++it) {
            const QString nummer = QString::number((*it)->IndexInLevel() + 1);
            QString p = oben ? *oben % QLatin1Char('.') % nummer : nummer;
            oben = &cache_.emplace(*it, std::move(p)).first->second;
        }
        return *oben;
    }

private:
    std::unordered_map<const tmylistitem*, QString> cache_;
};

} // namespace zephan
