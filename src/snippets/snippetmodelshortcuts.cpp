// SnippetModel: shortcut letters, snippet hotkeys and the keyword table of the expander.
#include "snippets/snippetmodel.h"

#include "common/hotkeychord.h"
#include "hotkey/qhotkey.h"
#include "snippets/inputmanager.h"
#include "history/itemrole.h"

#include <QDebug>
#include <QKeySequence>
#include <QSet>

namespace {

// The upper-cased initial of the item's title, unless an earlier item of the same level has it.
void assignLetter(QStandardItem *item, QSet<QChar> &taken)
{
    const QString title = item->data(Qt::DisplayRole).toString();
    if (title.isEmpty()) {
        item->setData(0, ShortcutRole);
        return;
    }
    const QChar letter = title.at(0).toUpper();
    if (taken.contains(letter)) {
        item->setData(0, ShortcutRole);
        return;
    }
    taken.insert(letter);
    item->setData(letter, ShortcutRole);
}

// The snippet page stores portable text; older files may hold the native form.
QKeySequence parseHotkey(const QString &text)
{
    QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown)
        sequence = QKeySequence::fromString(text, QKeySequence::NativeText);
    return sequence;
}

} // namespace

void SnippetModel::updateShortcuts()
{
    QSet<QChar> groupLetters;
    for (int g = 0; g < rowCount(); ++g)
        assignLetter(item(g), groupLetters);
    for (int g = 0; g < rowCount(); ++g) {
        QStandardItem *group = item(g);
        QSet<QChar> snippetLetters;
        for (int s = 0; s < group->rowCount(); ++s)
            assignLetter(group->child(s), snippetLetters);
    }
}

QModelIndex SnippetModel::groupForShortcut(QChar letter)
{
    for (int g = 0; g < rowCount(); ++g) {
        if (item(g)->data(ShortcutRole).toChar() == letter)
            return item(g)->index();
    }
    return QModelIndex();
}

QModelIndex SnippetModel::snippetForShortcut(QModelIndex group, QChar letter)
{
    if (!group.isValid())
        return QModelIndex();
    for (int s = 0; s < rowCount(group); ++s) {
        const QModelIndex snippet = index(s, 0, group);
        if (snippet.data(ShortcutRole).toChar().toUpper() == letter)
            return snippet;
    }
    return QModelIndex();
}

void SnippetModel::updateHotkeysAndKeywords()
{
    for (QHotkey *hotkey : std::as_const(hotkeys)) {
        hotkey->setRegistered(false);
        hotkey->deleteLater();
    }
    hotkeys.clear();

    InputManager *expander = InputManager::instance();
    expander->keywords.clear();
    if (rowCount() == 0) {
        expander->disableHooks();
        return;
    }

    for (int g = 0; g < rowCount(); ++g) {
        const QStandardItem *group = item(g);
        for (int s = 0; s < group->rowCount(); ++s) {
            const QStandardItem *snippet = group->child(s);
            const QString title = snippet->data(Qt::DisplayRole).toString();

            const QString hotkeyText = snippet->data(HotkeyRole).toString();
            if (!hotkeyText.isEmpty()) {
                auto *hotkey = new QHotkey(this);
                const QKeySequence sequence = parseHotkey(hotkeyText);
                // A bare key, as older versions recorded, would be taken from every application.
                const bool usable = !sequence.isEmpty() && isGlobalHotkeyChord(sequence[0]);
                if (!usable || !hotkey->setShortcut(sequence, true))
                    qWarning() << "Unable to register hotkey" << hotkeyText << "for snippet" << title;
                // By id, not by row: a merge or reload before the next registration moves rows.
                const QUuid id = snippet->data(IdRole).toUuid();
                connect(hotkey, &QHotkey::activated, this, [this, id] {
                    const QModelIndex index = snippetIndex(id);
                    if (!index.isValid()) {
                        qDebug() << "The snippet" << id << "of the hotkey no longer exists";
                        return;
                    }
                    emit snippetActivated(index);
                }, Qt::DirectConnection);
                hotkeys.append(hotkey);
            }

            // A blank keyword would match the empty word typed after every break.
            const QString keyword = snippet->data(ExpanderRole).toString().trimmed();
            if (!keyword.isEmpty())
                expander->keywords.insert(keyword, snippet->data(TextRole).toString());
        }
    }

    qDebug() << "Snippet hotkeys:" << hotkeys.size() << "keywords:" << expander->keywords.size();
    if (expander->keywords.isEmpty())
        expander->disableHooks();
    else
        expander->enableHooks();
}
