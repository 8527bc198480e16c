// The grid's peer: a QTableWidget that shows the grid as the grid says (cells, header with its
// sort pictures, widths, colours, selection, top row) and hands every click, double-click,
// right-click and key to the grid's user actions. The wheel is not Qt's: it travels as the
// window system's wheel message through the procedure chain of the grid's form, where the
// component scrolls the grid itself.
#include "host/desktop/Peers.h"

#include "host/desktop/PeerHost.h"
#include "host/desktop/Pictures.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/Host.h"
#include "platform/WindowSystem.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QWheelEvent>

#include <cstdlib>
#include <set>

namespace desktop {

namespace {

constexpr int WheelNotch = 120;

Qt::Alignment ToQtAlignment(int32_t alignment)
{
    using platform::GridAlignment;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment >= platform::flexAlignCenterTop && alignment <= platform::flexAlignCenterBottom)
        horizontal = Qt::AlignHCenter;
    else if (alignment >= platform::flexAlignRightTop &&
             alignment <= platform::flexAlignRightBottom)
        horizontal = Qt::AlignRight;
    Qt::Alignment vertical = Qt::AlignVCenter;
    if (alignment != platform::flexAlignGeneral) {
        const int32_t row = alignment % 3;
        vertical = row == 0 ? Qt::AlignTop : row == 2 ? Qt::AlignBottom : Qt::AlignVCenter;
    }
    return horizontal | vertical;
}

// The key-state word of the wheel message: MK_LBUTTON 1, MK_RBUTTON 2, MK_SHIFT 4,
// MK_CONTROL 8, MK_MBUTTON 0x10.
int32_t KeyState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    int32_t state = 0;
    if (buttons & Qt::LeftButton)
        state |= 0x01;
    if (buttons & Qt::RightButton)
        state |= 0x02;
    if (modifiers & Qt::ShiftModifier)
        state |= 0x04;
    if (modifiers & Qt::ControlModifier)
        state |= 0x08;
    if (buttons & Qt::MiddleButton)
        state |= 0x10;
    return state;
}

// The selected rows as the eye finds them: a selection colour hardly apart from the cells' own
// (the search dialogs ask for 242, 242, 242 on rows of 217 and 242) is mixed with the palette's
// highlight, so the row the arrows move stays plainly visible.
QColor VisibleSelection(const QColor& selection, const QColor& cells)
{
    constexpr int LeastLightnessApart = 40;
    if (std::abs(selection.lightness() - cells.lightness()) >= LeastLightnessApart)
        return selection;
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    const auto mix = [](int a, int b) { return (a * 35 + b * 65) / 100; };
    return QColor(mix(selection.red(), highlight.red()), mix(selection.green(), highlight.green()),
                  mix(selection.blue(), highlight.blue()));
}

} // namespace

GridPeer::GridPeer(PeerHost& host, platform::Grid& grid) : ControlPeer(host, grid) {}

platform::Grid& GridPeer::Grid() const
{
    return static_cast<platform::Grid&>(*Control());
}

QTableWidget* GridPeer::Table() const
{
    // Null while the table is being destroyed: its viewport's last events still reach the hooks.
    return qobject_cast<QTableWidget*>(Widget());
}

QWidget* GridPeer::CreateWidget(QWidget* parent)
{
    auto* table = new QTableWidget(parent);
    // The grid owns the selection and the scroll position; Qt only draws them.
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->setFocusPolicy(Qt::TabFocus);
    // The grid is one Tab stop: Tab leaves it instead of walking its cells.
    table->setTabKeyNavigation(false);
    // The grid decides its top row; Qt must not scroll to the current cell by itself.
    table->setAutoScroll(false);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setMinimumSectionSize(1);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setMinimumSectionSize(0);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setSectionsClickable(false);
    table->setCornerButtonEnabled(false);

    new EventHook(table->viewport(), Lifetime(),
                  [this](QObject*, QEvent* event) { return OnViewportEvent(event); });
    new EventHook(table->horizontalHeader()->viewport(), Lifetime(),
                  [this](QObject*, QEvent* event) { return OnHeaderEvent(event); });
    new EventHook(table, Lifetime(), [this](QObject*, QEvent* event) { return OnKey(event); });
    QObject::connect(table->verticalScrollBar(), &QScrollBar::valueChanged, Lifetime(),
                     [this](int value) {
                         if (m_applying || !Control())
                             return;
                         // The user dragged the scroll bar: the grid's TopRow follows.
                         Act([this, value] { Grid().TopRow = GridRow(value); });
                     });
    return table;
}

int32_t GridPeer::GridRow(int tableRow) const
{
    return tableRow + (Grid().FixedRows > 0 ? 1 : 0);
}

int GridPeer::TableRow(int32_t gridRow) const
{
    return gridRow - (Grid().FixedRows > 0 ? 1 : 0);
}

void GridPeer::Apply(const std::string& member)
{
    static const std::set<std::string> selection{"Row",           "Col",       "RowSel",   "ColSel",
                                                 "SelectionMode", "HighLight", "FocusRect"};
    if (member == "Revision" || member == "Rows" || member == "Cols" || member == "FixedRows" ||
        member == "FixedCols" || member.starts_with("BackColor") ||
        member.starts_with("ForeColor") || member.starts_with("GridColor") ||
        member.starts_with("Font")) {
        Rebuild();
    } else if (member == "Redraw") {
        if (Grid().Redraw && m_rebuildPending)
            Rebuild();
    } else if (selection.contains(member)) {
        if (Grid().Redraw)
            ShowSelection();
        else
            m_rebuildPending = true;
    } else if (member == "TopRow") {
        ShowTopRow();
    } else {
        ControlPeer::Apply(member);
    }
}

void GridPeer::ApplyColors()
{
    Rebuild();
}

void GridPeer::Rebuild()
{
    platform::Grid& grid = Grid();
    if (!grid.Redraw) {
        m_rebuildPending = true;
        return;
    }
    m_rebuildPending = false;
    QTableWidget* table = Table();
    m_applying = true;
    const Scale& scale = Scaling();
    const QFont font = ToQFont(grid.FontName, grid.FontSize, grid.FontBold);
    table->setFont(font);
    table->horizontalHeader()->setFont(font);
    table->setStyleSheet(ToQString(
        "QTableWidget { background: " + ColorText(grid.BackColorBkg) +
        "; gridline-color: " + ColorText(grid.GridColor) +
        "; border: 1px solid rgb(200, 205, 212); }"
        "QHeaderView::section { background: " +
        ColorText(grid.BackColorFixed) + "; color: " + ColorText(grid.ForeColorFixed) +
        "; border: none; border-right: 1px solid " + ColorText(grid.GridColorFixed) +
        "; border-bottom: 1px solid " + ColorText(grid.GridColorFixed) + "; padding: 0 3px; }"));

    const int32_t rows = grid.Rows;
    const int32_t cols = grid.Cols;
    const bool header = grid.FixedRows > 0;
    table->setColumnCount(cols);
    table->setRowCount(header ? rows - 1 : rows);
    table->horizontalHeader()->setVisible(header);
    if (header) {
        table->horizontalHeader()->setFixedHeight(scale.Pixels(grid.RowHeight(0)));
        for (int32_t col = 0; col < cols; ++col) {
            auto* item = new QTableWidgetItem(ToQString(grid.TextMatrix(0, col)));
            const QPixmap picture = NamedPicture(grid.CellPictureAt(0, col));
            if (!picture.isNull())
                item->setIcon(QIcon(picture));
            const Qt::Alignment alignment = ToQtAlignment(grid.CellAlignmentAt(0, col));
            item->setTextAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
            table->setHorizontalHeaderItem(col, item);
        }
    }
    for (int32_t col = 0; col < cols; ++col) {
        const int32_t width = grid.ColWidth(col);
        table->setColumnHidden(col, width == 0);
        if (width > 0)
            table->setColumnWidth(col, scale.Pixels(width));
    }
    for (int32_t row = header ? 1 : 0; row < rows; ++row) {
        const int tableRow = TableRow(row);
        table->setRowHeight(tableRow, std::max(1, scale.Pixels(grid.RowHeight(row))));
        for (int32_t col = 0; col < cols; ++col) {
            auto* item = new QTableWidgetItem(ToQString(grid.TextMatrix(row, col)));
            item->setTextAlignment(ToQtAlignment(grid.CellAlignmentAt(row, col)));
            if (grid.CellFontBoldAt(row, col)) {
                QFont bold = font;
                bold.setBold(true);
                item->setFont(bold);
            }
            const QPixmap picture = NamedPicture(grid.CellPictureAt(row, col));
            if (!picture.isNull())
                item->setIcon(QIcon(picture));
            table->setItem(tableRow, col, item);
        }
    }
    m_applying = false;
    ShowSelection();
    ShowTopRow();
}

void GridPeer::ShowSelection()
{
    platform::Grid& grid = Grid();
    QTableWidget* table = Table();
    const bool header = grid.FixedRows > 0;
    const bool highlight = grid.HighLight == platform::flexHighlightAlways ||
                           (grid.HighLight == platform::flexHighlightWithFocus && grid.HasFocus());
    for (int32_t row = header ? 1 : 0; row < grid.Rows; ++row) {
        for (int32_t col = 0; col < grid.Cols; ++col) {
            QTableWidgetItem* item = table->item(TableRow(row), col);
            if (!item)
                continue;
            const bool selected =
                highlight && grid.IsCellSelected(row, col) && !grid.IsFixedCell(row, col);
            auto back = ToQColor(grid.CellBackColorAt(row, col));
            if (selected) {
                const auto asked = ToQColor(grid.BackColorSel);
                // Where the arrows move it: without the focus the form's colour as it is.
                back = asked && grid.HasFocus() ? VisibleSelection(*asked, back.value_or(Qt::white))
                                                : asked;
            }
            const auto fore =
                ToQColor(selected ? grid.ForeColorSel : grid.CellForeColorAt(row, col));
            item->setBackground(back ? QBrush(*back) : QBrush());
            item->setForeground(fore ? QBrush(*fore) : QBrush());
        }
    }
    // Qt's focus frame sits on the grid's current cell, never on a cell of its own, and only
    // where the grid draws a focus rectangle at all: one mark.
    const int tableRow = TableRow(grid.Row);
    m_applying = true;
    if (grid.FocusRect != platform::flexFocusNone && tableRow >= 0 &&
        tableRow < table->rowCount() && grid.Col < table->columnCount())
        table->setCurrentCell(tableRow, grid.Col, QItemSelectionModel::NoUpdate);
    else
        table->setCurrentIndex(QModelIndex());
    m_applying = false;
}

void GridPeer::ShowTopRow()
{
    platform::Grid& grid = Grid();
    m_applying = true;
    Table()->verticalScrollBar()->setValue(std::max(0, TableRow(grid.TopRow)));
    m_applying = false;
}

bool GridPeer::OnViewportEvent(QEvent* event)
{
    if (!Control() || !Table())
        return false;
    QTableWidget* table = Table();
    switch (event->type()) {
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        SendWheel(wheel->angleDelta().y(), wheel->modifiers(), wheel->buttons(),
                  wheel->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = table->indexAt(mouse->position().toPoint());
        const bool right = mouse->button() == Qt::RightButton;
        if (!right) {
            // Qt reports the second press of a double-click as a press too; the real control
            // has only one click there, followed by DblClick.
            const bool secondPress = m_lastPressTime != 0 && index == m_lastPressCell &&
                                     mouse->timestamp() - m_lastPressTime <
                                         static_cast<quint64>(QApplication::doubleClickInterval());
            m_lastPressTime = mouse->timestamp();
            m_lastPressCell = index;
            if (secondPress)
                return true;
        }
        Act([this, index, right] {
            platform::Grid& grid = Grid();
            const int32_t row = index.isValid() ? GridRow(index.row()) : -1;
            if (row < 0)
                grid.UserClickOutsideCells();
            else if (right)
                grid.UserRightClick(row, index.column());
            else
                grid.UserClickCell(row, index.column());
        });
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        const QModelIndex index = table->indexAt(mouse->position().toPoint());
        m_lastPressTime = 0; // a third press is a new click
        m_lastPressCell = QModelIndex();
        // Qt has already reported the first press as a click of its own.
        Act([this, index] {
            if (index.isValid())
                Grid().UserSecondPress(GridRow(index.row()), index.column());
            else
                Grid().UserSecondPress();
        });
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return true;
    default:
        return false;
    }
}

bool GridPeer::OnHeaderEvent(QEvent* event)
{
    if (!Control() || !Table())
        return false;
    switch (event->type()) {
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        SendWheel(wheel->angleDelta().y(), wheel->modifiers(), wheel->buttons(),
                  wheel->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int col = Table()->horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
        if (col < 0)
            return true;
        const bool right = mouse->button() == Qt::RightButton;
        Act([this, col, right] {
            if (right)
                Grid().UserRightClick(0, col);
            else
                Grid().UserClickCell(0, col);
        });
        return true;
    }
    default:
        return false;
    }
}

bool GridPeer::OnKey(QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !Control())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    const int16_t code = KeyCodeOf(*key);
    if (code == 0)
        return false;
    const int16_t shift = ShiftStateOf(key->modifiers());
    Act([this, code, shift] { Grid().UserPressKey(code, shift, {}); });
    return true;
}

void GridPeer::SendWheel(int delta, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                         QPoint globalPosition)
{
    // Fine-grained wheels and touchpads arrive in pieces; the message carries whole notches.
    m_wheelRemainder += delta;
    const int notches = m_wheelRemainder / WheelNotch;
    if (notches == 0)
        return;
    m_wheelRemainder -= notches * WheelNotch;
    platform::Form* form = Grid().ParentForm();
    if (!form)
        return;
    const int32_t formWindow = form->hWnd();
    const auto wParam =
        static_cast<int32_t>((static_cast<uint32_t>(notches * WheelNotch) << 16) |
                             static_cast<uint32_t>(KeyState(modifiers, buttons) & 0xFFFF));
    const auto lParam = static_cast<int32_t>((static_cast<uint32_t>(globalPosition.y()) << 16) |
                                             (static_cast<uint32_t>(globalPosition.x()) & 0xFFFF));
    Act([formWindow, wParam, lParam] {
        platform::SendMessageA(formWindow, platform::WM_MOUSEWHEEL, wParam, lParam);
    });
}

} // namespace desktop
