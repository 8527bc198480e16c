#include "host/desktop/Overlays.h"

#include "host/desktop/ControlPeer.h"

#include <QEvent>
#include <QPainter>

namespace desktop {

namespace {

class Overlay : public QWidget {
public:
    explicit Overlay(QWidget* target) : QWidget(target)
    {
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(target->rect());
        // The hook is the overlay's child: it cannot outlive what it resizes.
        new EventHook(target, this, [this, target](QObject*, QEvent* event) {
            if (event->type() == QEvent::Resize)
                setGeometry(target->rect());
            return false;
        });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 0, 0, 110));
    }
};

} // namespace

Overlays::~Overlays()
{
    for (auto& [hWnd, overlay] : m_overlays)
        delete overlay.data();
}

void Overlays::Apply(int32_t hWnd, QWidget& target)
{
    if (Has(hWnd))
        return;
    auto* overlay = new Overlay(&target);
    overlay->show();
    overlay->raise();
    m_overlays[hWnd] = overlay;
}

void Overlays::Remove(int32_t hWnd)
{
    auto it = m_overlays.find(hWnd);
    if (it == m_overlays.end())
        return;
    delete it->second.data();
    m_overlays.erase(it);
}

bool Overlays::Has(int32_t hWnd) const
{
    auto it = m_overlays.find(hWnd);
    return it != m_overlays.end() && it->second;
}

} // namespace desktop
