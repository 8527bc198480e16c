// The host's menu window: the application's name as its title, a menu entry that opens the
// pre-sale screen, and the work area the screen is built in. It hands the component its user
// and name and calls PreVendas with its own handle and the work area's, as a host of the
// component does.
#pragma once

#include "platform/Object.h"

#include <QMainWindow>
#include <QRect>

#include <optional>

#include <string>

class QAction;

namespace desktop {

class DesktopHost;

// Where a window of `design` size opens on a screen whose free area is `available`: at its design
// size and centred where the area holds it, or nothing where it does not (the window is then
// maximised, and the work area scrolls below the screen's design size).
std::optional<QRect> FittedGeometry(QSize design, QRect available);

class MenuWindow : public QMainWindow {
public:
    // The size the pre-sale screen was designed in, with the menu and status bars around it.
    static constexpr QSize DesignSize{1060, 780};
    // Below this the window would show too little of the screen to work with.
    static constexpr QSize MinimumSize{640, 480};

    MenuWindow(DesktopHost& host, platform::ObjectRef user, const std::string& userName);

    // What the menu entry does: a new pre-sale screen in the work area.
    void OpenPreVendas();
    // Shows the window fitted to its screen (FittedGeometry).
    void ShowFitted();

    int32_t MenuHandle() const { return m_menuHandle; }
    int32_t WorkAreaHandle() const { return m_workAreaHandle; }
    QWidget* WorkArea() const { return m_workArea; }
    QAction* PreVendasAction() const { return m_openPreVendas; }

private:
    DesktopHost& m_host;
    platform::ObjectRef m_user;
    std::string m_userName;
    QWidget* m_workArea;
    QAction* m_openPreVendas;
    int32_t m_menuHandle = 0;
    int32_t m_workAreaHandle = 0;
};

} // namespace desktop
