// The host's menu window: the application's name as its title, a menu entry that opens the
// pre-sale screen, and the work area the screen is built in. It hands the component its user
// and name and calls PreVendas with its own handle and the work area's, as a host of the
// component does.
#pragma once

#include "platform/Object.h"

#include <QMainWindow>

#include <string>

class QAction;

namespace desktop {

class DesktopHost;

class MenuWindow : public QMainWindow {
public:
    MenuWindow(DesktopHost& host, platform::ObjectRef user, const std::string& userName);

    // What the menu entry does: a new pre-sale screen in the work area.
    void OpenPreVendas();

    int32_t MenuHandle() const { return m_menuHandle; }
    int32_t WorkAreaHandle() const { return m_workAreaHandle; }
    QWidget* WorkArea() const { return m_workArea; }
    QAction* PreVendasAction() const { return m_openPreVendas; }

private:
    DesktopHost& m_host;
    platform::ObjectRef m_user;
    QWidget* m_workArea;
    QAction* m_openPreVendas;
    int32_t m_menuHandle = 0;
    int32_t m_workAreaHandle = 0;
};

} // namespace desktop
