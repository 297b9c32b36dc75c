#include "FormTranslator.h"

#include "Messages.h"
#include "ProgramState.h"
#include "TextCatalogue.h"
#include "TextKeys.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QToolBar>
#include <QWidget>
#include <optional>

namespace FormTranslator {

namespace {

class Translator {
public:
    Translator(QWidget* window, const TextCatalogue& catalogue, int sprache)
        : m_form(window->objectName().trimmed()), m_catalogue(catalogue), m_sprache(sprache)
    {
    }

    std::optional<QString> lookup(const QString& control, const char* property)
    {
        if (m_error.isError())
            return std::nullopt;
        auto text = m_catalogue.lookupExact(m_form, control.trimmed(),
                                            QString::fromLatin1(property), m_sprache);
        if (m_catalogue.lastError().isError())
            m_error = m_catalogue.lastError();
        return text;
    }

    template <typename Setter> void apply(const QString& control, const char* property, Setter set)
    {
        if (auto text = lookup(control, property))
            set(*text);
    }

    OperationError error() const { return m_error; }

private:
    QString m_form;
    const TextCatalogue& m_catalogue;
    int m_sprache;
    OperationError m_error;
};

QString paddedPanelText(const QLabel* panel, const QString& text)
{
    const Qt::Alignment horizontal = panel->alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignRight)
        return text + ' ';
    if (horizontal & (Qt::AlignHCenter | Qt::AlignJustify))
        return text;
    return ' ' + text;
}

void setCaption(QWidget* control, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else
        control->setProperty("caption", text);
}

void translateTools(Translator& t, const QList<QAction*>& actions)
{
    for (QAction* action : actions) {
        if (action->isSeparator() || action->objectName().isEmpty())
            continue;
        t.apply(action->objectName(), "caption", [&](const QString& s) { action->setText(s); });
        t.apply(action->objectName(), "tooltiptext",
                [&](const QString& s) { action->setToolTip(s); });
    }
}

// The menu control's bands: the menu bar itself, every menu under it (depth
// first, in menu order) and the window's toolbars.
void collectMenus(QMenu* menu, QList<QMenu*>& out)
{
    out.append(menu);
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu())
            collectMenus(sub, out);
    }
}

void translateMenuControl(Translator& t, QWidget* window, QMenuBar* bar)
{
    t.apply(bar->objectName(), "caption",
            [&](const QString& s) { bar->setProperty("caption", s); });
    translateTools(t, bar->actions());
    QList<QMenu*> menus;
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu())
            collectMenus(menu, menus);
    }
    for (QMenu* menu : menus) {
        t.apply(menu->objectName(), "caption", [&](const QString& s) { menu->setTitle(s); });
        translateTools(t, menu->actions());
    }
    const QList<QToolBar*> toolbars = window->findChildren<QToolBar*>();
    for (QToolBar* toolbar : toolbars) {
        t.apply(toolbar->objectName(), "caption",
                [&](const QString& s) { toolbar->setWindowTitle(s); });
        translateTools(t, toolbar->actions());
    }
}

void translateGrid(Translator& t, QTableView* grid)
{
    t.apply(grid->objectName(), "caption", [&](const QString& s) { setCaption(grid, s); });
    t.apply(grid->objectName(), "tooltiptext", [&](const QString& s) { grid->setToolTip(s); });
    QAbstractItemModel* model = grid->model();
    if (!model)
        return;
    for (int column = 0; column < model->columnCount(); ++column) {
        QString field = model->headerData(column, Qt::Horizontal, DataFieldRole).toString();
        if (field.isEmpty())
            field = model->headerData(column, Qt::Horizontal, Qt::EditRole).toString();
        t.apply(field, "caption", [&](const QString& s) {
            model->setHeaderData(column, Qt::Horizontal, s);
            // A heading of another language may be longer: the column widens
            // to show it whole, and never narrows.
            QHeaderView* header = grid->horizontalHeader();
            if (header->sectionSize(column) < header->sectionSizeHint(column))
                header->resizeSection(column, header->sectionSizeHint(column));
        });
    }
}

} // namespace

OperationError formuebersetzen(QWidget* window, const TextCatalogue& catalogue, int sprache)
{
    Translator t(window, catalogue, sprache);
    t.apply(window->objectName(), "caption",
            [&](const QString& s) { window->setWindowTitle(' ' + s); });

    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const QString name = control->objectName();
        const QString prefix = name.left(3).toUpper();
        if (prefix == QLatin1String("CMD") || prefix == QLatin1String("LBL") ||
            prefix == QLatin1String("DAT") || prefix == QLatin1String("CHK") ||
            prefix == QLatin1String("OPT")) {
            t.apply(name, "caption", [&](const QString& s) { setCaption(control, s); });
            t.apply(name, "tooltiptext", [&](const QString& s) { control->setToolTip(s); });
        } else if (prefix == QLatin1String("PAN")) {
            auto* panel = qobject_cast<QLabel*>(control);
            t.apply(name, "caption", [&](const QString& s) {
                if (panel)
                    panel->setText(paddedPanelText(panel, s));
                else
                    setCaption(control, s);
            });
            t.apply(name, "tooltiptext", [&](const QString& s) { control->setToolTip(s); });
        } else if (prefix == QLatin1String("TXT")) {
            t.apply(name, "text", [&](const QString& s) {
                if (auto* edit = qobject_cast<QLineEdit*>(control))
                    edit->setText(s);
            });
            t.apply(name, "placeholder", [&](const QString& s) {
                if (auto* edit = qobject_cast<QLineEdit*>(control))
                    edit->setPlaceholderText(s);
            });
            t.apply(name, "tooltiptext", [&](const QString& s) { control->setToolTip(s); });
        } else if (prefix == QLatin1String("MNU")) {
            if (auto* bar = qobject_cast<QMenuBar*>(control)) {
                translateMenuControl(t, window, bar);
            } else if (auto* toolbar = qobject_cast<QToolBar*>(control)) {
                // A toolbar of its own, in a window without a menu bar.
                t.apply(name, "caption", [&](const QString& s) { toolbar->setWindowTitle(s); });
                translateTools(t, toolbar->actions());
            }
        } else if (prefix == QLatin1String("GRD")) {
            if (auto* grid = qobject_cast<QTableView*>(control))
                translateGrid(t, grid);
        }
        if (t.error().isError())
            break;
    }
    return t.error();
}

void translateWindow(QWidget* window, ProgramState& state)
{
    if (!state.catalogue)
        return;
    const OperationError error = formuebersetzen(window, *state.catalogue, state.sprache);
    if (error.isError())
        Messages::failure(window, state, TextKeys::catalogueUnusable, error, {error.where});
}

} // namespace FormTranslator
