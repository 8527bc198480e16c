// The login window: a user name and a "*"-masked password, 50 characters each at most, checked
// by the store; the third wrong try ends it.
#pragma once

#include "platform/Object.h"

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace desktop {

class DesktopHost;

class LoginDialog : public QDialog {
public:
    static constexpr int MaxLength = 50;
    static constexpr int MaxTries = 3;

    enum Outcome { LoggedIn, Cancelled, TooManyTries, StoreFailed, QuitAtShow };

    // Answers the user object, or nullptr for a wrong name or password; throws
    // std::runtime_error when the store itself fails.
    using Authenticate =
        std::function<platform::ObjectRef(const std::string& name, const std::string& password)>;

    LoginDialog(DesktopHost& host, Authenticate authenticate, QWidget* parent = nullptr);

    // For automation: the boxes filled in, and submitted once the window shows.
    void Prefill(const std::string& name, const std::string& password);
    // For measurements: close as soon as the window is on screen.
    void QuitWhenShown() { m_quitWhenShown = true; }

    Outcome Run();
    // Checks the boxes as the "Entrar" button does.
    void Submit();

    platform::ObjectRef User() const { return m_user; }
    std::string UserName() const;
    Outcome Result() const { return m_outcome; }
    int Tries() const { return m_tries; }
    QLineEdit* NameBox() const { return m_name; }
    QLineEdit* PasswordBox() const { return m_password; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Finish(Outcome outcome);

    DesktopHost& m_host;
    Authenticate m_authenticate;
    QLineEdit* m_name;
    QLineEdit* m_password;
    QPushButton* m_enter;
    platform::ObjectRef m_user;
    Outcome m_outcome = Cancelled;
    int m_tries = 0;
    bool m_submitWhenShown = false;
    bool m_quitWhenShown = false;
};

} // namespace desktop
