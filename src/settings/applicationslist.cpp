#include "settings/applicationslist.h"

#include "common/utils.h"
#include "history/itemrole.h"
#include "settings/delaydialog.h"
#include "widgets/svgicons.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>

#include <array>

namespace {

const QSize RuleBadgeSize(24, 24);
const QSize IconSize(40, 40);

// The on/off rules in the order of their badges and menu entries.
struct Rule
{
    ItemRole role;
    const char *key;
    const char *icon;
    const char *badgeText;
    const char *menuText;
};

const std::array<Rule, 5> Rules{{
    {ExcludeRole, "ExcludedApplications", ":/icons/images/ic_exclude.svg",
     QT_TRANSLATE_NOOP("ApplicationsList", "Don't add copied items to history"),
     QT_TRANSLATE_NOOP("ApplicationsList", "Exclude from history")},
    {NoImagesRole, "NoImagesApplications", ":/icons/images/ic_noimages.svg",
     QT_TRANSLATE_NOOP("ApplicationsList", "Never copy images to clipboard"),
     QT_TRANSLATE_NOOP("ApplicationsList", "Ignore images")},
    {TextOnlyRole, "TextOnlyApplications", ":/icons/images/ic_txt.svg",
     QT_TRANSLATE_NOOP("ApplicationsList", "Always copy as plain text only"),
     QT_TRANSLATE_NOOP("ApplicationsList", "Plain text only")},
    {FormattingOnlyRole, "FormattingOnlyApplications", ":/icons/images/ic_clear-formatting.svg",
     QT_TRANSLATE_NOOP("ApplicationsList", "Clear style from text"),
     QT_TRANSLATE_NOOP("ApplicationsList", "Clear style")},
    {NoExpandRole, "NoExpandApplications", ":/icons/images/ic_expand.svg",
     QT_TRANSLATE_NOOP("ApplicationsList", "Do not expand keywords"),
     QT_TRANSLATE_NOOP("ApplicationsList", "Don't expand keywords")},
}};

QString translated(const char *text)
{
    return QCoreApplication::translate("ApplicationsList", text);
}

QLabel *badge(const QString &icon, const QString &toolTip)
{
    auto *label = new QLabel;
    label->setFixedSize(RuleBadgeSize);
    label->setPixmap(Utils::svg2icon(icon, true).pixmap(RuleBadgeSize));
    label->setToolTip(toolTip);
    return label;
}

// "Plain text only" drops the formatted text that "Clear style" would clean, so one excludes the other.
ItemRole excludedBy(ItemRole role)
{
    if (role == TextOnlyRole)
        return FormattingOnlyRole;
    if (role == FormattingOnlyRole)
        return TextOnlyRole;
    return role;
}

} // namespace

ApplicationsList::ApplicationsList(QWidget *parent)
    : QListWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    updateApplications();
}

void ApplicationsList::updateApplications()
{
    clear();
    m_removed.clear();

    const QSettings settings = Utils::settings();
    const QVariantMap applications = settings.value("Applications").toMap();
    const QVariantMap delays = settings.value("DelayedApplications").toMap();
    std::array<QSet<QString>, Rules.size()> ruleSets;
    for (size_t i = 0; i < Rules.size(); ++i) {
        const QStringList names = settings.value(Rules[i].key).toStringList();
        ruleSets[i] = QSet<QString>(names.cbegin(), names.cend());
    }

    for (auto it = applications.cbegin(); it != applications.cend(); ++it) {
        // A rule on the empty name would apply to every clipping whose source is unknown.
        if (it.key().isEmpty())
            continue;
        auto *item = new QListWidgetItem;
        item->setData(TextRole, it.key());
        item->setData(ThumbnailRole, it.value());
        for (size_t i = 0; i < Rules.size(); ++i)
            item->setData(Rules[i].role, ruleSets[i].contains(it.key()));
        if (delays.contains(it.key()))
            item->setData(DelayRole, delays.value(it.key()).toInt());
        addItem(item);
        updateItemWidget(item);
    }
}

void ApplicationsList::saveSettings(QSettings &settings)
{
    std::array<QStringList, Rules.size()> ruleLists;
    QVariantMap delays;
    for (int row = 0; row < count(); ++row) {
        const QListWidgetItem *entry = item(row);
        const QString name = entry->data(TextRole).toString();
        for (size_t i = 0; i < Rules.size(); ++i) {
            if (entry->data(Rules[i].role).toBool())
                ruleLists[i].append(name);
        }
        const int delay = entry->data(DelayRole).toInt();
        if (delay > 0)
            delays.insert(name, delay);
    }
    for (size_t i = 0; i < Rules.size(); ++i)
        settings.setValue(Rules[i].key, ruleLists[i]);
    settings.setValue("DelayedApplications", delays);

    QVariantMap applications = settings.value("Applications").toMap();
    for (const QString &name : std::as_const(m_removed))
        applications.remove(name);
    settings.setValue("Applications", applications);
}

void ApplicationsList::updateItemWidget(QListWidgetItem *item)
{
    QWidget *widget = createItemWidget(item);
    const QSize hint = widget->minimumSizeHint();
    item->setData(Qt::SizeHintRole, hint.isValid() ? QVariant(hint) : QVariant());
    // The old row widget goes later: this may run from its own menu.
    setItemWidget(item, widget);
}

void ApplicationsList::retranslateUi()
{
    for (int row = 0; row < count(); ++row)
        updateItemWidget(item(row));
}

QWidget *ApplicationsList::createItemWidget(QListWidgetItem *item)
{
    auto *widget = new QWidget;
    auto *layout = new QHBoxLayout(widget);
    layout->setSpacing(4);
    layout->setContentsMargins(9, 0, 9, 0);

    auto *icon = new QLabel;
    icon->setContentsMargins(4, 4, 4, 4);
    const QPixmap pixmap = item->data(ThumbnailRole).value<QPixmap>();
    if (!pixmap.isNull())
        icon->setPixmap(pixmap.scaled(IconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    layout->addWidget(icon);
    layout->addWidget(new QLabel(item->data(TextRole).toString()), 1);

    for (const Rule &rule : Rules) {
        if (item->data(rule.role).toBool())
            layout->addWidget(badge(rule.icon, translated(rule.badgeText)));
    }
    const int delay = item->data(DelayRole).toInt();
    if (delay > 0)
        layout->addWidget(badge(":/icons/images/hourglass.svg", tr("Delay text expansion for %1 ms").arg(delay)));

    auto *more = new QPushButton;
    more->setFlat(true);
    more->setIcon(Utils::svg2icon(":/icons/images/ic_more.svg", true));
    more->setMaximumWidth(60);
    more->setMenu(createMenu(item, more));
    layout->addWidget(more);
    return widget;
}

QMenu *ApplicationsList::createMenu(QListWidgetItem *item, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    for (const Rule &rule : Rules) {
        QAction *action = menu->addAction(translated(rule.menuText));
        action->setCheckable(true);
        action->setChecked(item->data(rule.role).toBool());
        const ItemRole other = excludedBy(rule.role);
        action->setEnabled(other == rule.role || !item->data(other).toBool());
        const ItemRole role = rule.role;
        connect(action, &QAction::triggered, this, [this, item, role] {
            item->setData(role, !item->data(role).toBool());
            updateItemWidget(item);
        });
    }
    menu->addAction(tr("Set text expansion delay..."), this, [this, item] {
        DelayDialog dialog(this, item->data(DelayRole).toInt());
        if (dialog.exec() == QDialog::Accepted) {
            item->setData(DelayRole, dialog.getValue());
            updateItemWidget(item);
        }
    });
    menu->addSeparator();
    menu->addAction(QIcon(":/icons/images/delete.png"), tr("Remove"), this, [this, item] {
        m_removed.insert(item->data(TextRole).toString());
        delete item;
    });
    return menu;
}
