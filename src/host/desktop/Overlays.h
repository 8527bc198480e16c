// The dark overlay (clsFundoEscuro) on the desktop: a translucent child covering its window and
// following its size, at most one per window, whichever instance applied it.
#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <map>

namespace desktop {

class Overlays {
public:
    Overlays() = default;
    ~Overlays();
    Overlays(const Overlays&) = delete;
    Overlays& operator=(const Overlays&) = delete;

    // Covers `target`, the widget of window `hWnd`, unless it is covered already.
    void Apply(int32_t hWnd, QWidget& target);
    void Remove(int32_t hWnd);
    bool Has(int32_t hWnd) const;

private:
    // An overlay goes with its window too; QPointer sees that.
    std::map<int32_t, QPointer<QWidget>> m_overlays;
};

} // namespace desktop
