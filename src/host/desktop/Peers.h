// The peers of forms and grids (FormPeer.cpp, GridPeer.cpp) and the factory (Peers.cpp) that
// picks a peer by the control's kind. FormPeer is the window (top-level, or embedded in the host
// window the component parents it to).
#pragma once

#include "host/desktop/ControlPeer.h"

#include <QModelIndex>

class QTableWidget;

namespace platform {
class Form;
class Grid;
} // namespace platform

namespace desktop {

class FormPeer : public ControlPeer {
public:
    FormPeer(PeerHost& host, platform::Form& form);

    // Runs until the form is hidden, unloaded or gone, with the rest of the application blocked.
    void RunModal();
    // The host window it is parented to changed size: the form covers it, at least at its own
    // design size.
    void FitIntoParent();
    void OnWindowChanged() override;
    void UserClose();

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply(const std::string& member) override;
    void ApplyGeometry() override;
    void ApplyVisible() override;

private:
    platform::Form& Form() const;
    bool IsEmbedded() const;
    void Embed();

    int32_t m_parentWindow = 0;
    int32_t m_designWidth = 0;
    int32_t m_designHeight = 0;
    bool m_placed = false;
};

class GridPeer : public ControlPeer {
public:
    GridPeer(PeerHost& host, platform::Grid& grid);
    QTableWidget* Table() const;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply(const std::string& member) override;
    void ApplyColors() override;

private:
    platform::Grid& Grid() const;
    void Rebuild();
    void ShowSelection();
    void ShowTopRow();
    bool OnViewportEvent(QEvent* event);
    bool OnHeaderEvent(QEvent* event);
    bool OnKey(QEvent* event);
    // Grid rows of the table's rows: the first fixed row is the table's header.
    int32_t GridRow(int tableRow) const;
    int TableRow(int32_t gridRow) const;
    void SendWheel(int delta, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                   QPoint globalPosition);

    int m_wheelRemainder = 0;
    bool m_rebuildPending = false;
    // The last left press, to tell the second press of a double-click from a new click.
    quint64 m_lastPressTime = 0;
    QModelIndex m_lastPressCell;
};

} // namespace desktop
