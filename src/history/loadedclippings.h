#pragma once

#include "history/historyindex.h"

#include <QList>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class ClippingItem;
struct HistoryDocument;

// The clippings of a read document made into items, ready to be added to the history. Making them
// needs no model, so a history read ahead of the window is also made into items ahead of it, on
// the reading threads. Items not taken are deleted with this.
class LoadedClippings
{
public:
    LoadedClippings();
    // Takes the document's clippings (leaving none) and icons.
    explicit LoadedClippings(HistoryDocument &document);
    LoadedClippings(LoadedClippings &&other) noexcept;
    LoadedClippings &operator=(LoadedClippings &&other) noexcept;
    ~LoadedClippings();

    qsizetype size() const { return qsizetype(m_items.size()); }
    // The items in document order; the caller owns them.
    QList<ClippingItem *> take();

    // Builds the history's lookups of the items, as rows of an empty history in document order,
    // here rather than on the thread that adds them.
    void buildIndex();
    // The lookups buildIndex() built, or null.
    std::shared_ptr<HistoryIndex::Tables> indexTables() const { return m_tables; }

    // Image file names that would lead out of the image cache, with the id of their clipping, in
    // document order. Those items were given no file name.
    const QList<std::pair<QString, QString>> &unsafeFileNames() const { return m_unsafeFileNames; }

private:
    std::vector<std::unique_ptr<ClippingItem>> m_items;
    std::shared_ptr<HistoryIndex::Tables> m_tables;
    QList<std::pair<QString, QString>> m_unsafeFileNames;
};
