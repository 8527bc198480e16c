#include "host/desktop/MenuWindow.h"

#include "entry/Componente.h"
#include "host/desktop/Convert.h"
#include "host/desktop/DesktopHost.h"
#include "platform/Errors.h"
#include "platform/Host.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>

namespace desktop {

std::optional<QRect> FittedGeometry(QSize design, QRect available)
{
    if (design.width() > available.width() || design.height() > available.height())
        return std::nullopt;
    QRect placed(QPoint(0, 0), design);
    placed.moveCenter(available.center());
    return placed;
}

MenuWindow::MenuWindow(DesktopHost& host, platform::ObjectRef user, const std::string& userName)
    : m_host(host), m_user(std::move(user)), m_userName(userName), m_workArea(new QWidget)
{
    setObjectName(QStringLiteral("menu"));
    setWindowTitle(ToQString(host.ApplicationName()));

    QMenu* sales = menuBar()->addMenu(QStringLiteral("&Vendas"));
    m_openPreVendas = sales->addAction(QStringLiteral("&Pré-venda"));
    m_openPreVendas->setObjectName(QStringLiteral("abrirPreVenda"));
    m_openPreVendas->setShortcut(QKeySequence(QStringLiteral("F2")));
    connect(m_openPreVendas, &QAction::triggered, this, [this] { OpenPreVendas(); });
    QMenu* system = menuBar()->addMenu(QStringLiteral("&Sistema"));
    QAction* quit = system->addAction(QStringLiteral("Sai&r"));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    m_workArea->setObjectName(QStringLiteral("areaDeTrabalho"));
    m_workArea->setAutoFillBackground(true);
    QPalette palette = m_workArea->palette();
    palette.setColor(QPalette::Window, QColor(236, 239, 243));
    m_workArea->setPalette(palette);
    // A screen larger than the window scrolls rather than being cut.
    auto* scroller = new QScrollArea;
    scroller->setWidget(m_workArea);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    setCentralWidget(scroller);
    setMinimumSize(MinimumSize);
    statusBar()->addWidget(new QLabel(QStringLiteral("Usuário: ") + ToQString(userName)));

    m_menuHandle = host.RegisterHostWindow("FormularioDoMenu", *this);
    m_workAreaHandle = host.RegisterHostWindow("AreaDeTrabalho", *m_workArea);
    host.SetMainWindow(this);
}

void MenuWindow::ShowFitted()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const std::optional<QRect> placed =
        screen ? FittedGeometry(DesignSize, screen->availableGeometry())
               : std::optional<QRect>(QRect(QPoint(0, 0), DesignSize));
    if (!placed) {
        // The free area first, for a display without a window manager to maximise it.
        if (screen)
            setGeometry(screen->availableGeometry());
        showMaximized();
        return;
    }
    setGeometry(*placed);
    show();
}

void MenuWindow::OpenPreVendas()
{
    KELO_A_PreVendas::AbrirPreVendas(m_user, m_host.ApplicationName(), m_menuHandle,
                                     m_workAreaHandle);
    // Where the attendant is: the application, the screen and who is logged in.
    setWindowTitle(ToQString(m_host.ApplicationName() + " - Pré-venda - " + m_userName));
}

} // namespace desktop
