#include "QtTestEnvironment.h"

#include <memory>

namespace desktop_test {

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[32] = "desktop_host_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

QWidget* WidgetOf(desktop::DesktopHost& host, const platform::Control& control, bool focus)
{
    desktop::ControlPeer* peer = host.PeerOf(control);
    if (!peer)
        return nullptr;
    return focus ? peer->FocusWidget() : peer->Widget();
}

void ShowAndActivate(desktop::DesktopHost& host, platform::Form& form)
{
    form.Show();
    host.Sync();
    QWidget* window = WidgetOf(host, form);
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window, 2000);
    Settle();
}

} // namespace desktop_test
