#include "host/desktop/Pictures.h"

#include "host/desktop/Convert.h"

#include <QPainter>
#include <QPainterPath>

namespace desktop {

namespace {

QPixmap WaitMessage()
{
    // 334 x 38 pixels: the size of the bitmap the form's panel was designed around.
    QPixmap pixmap(334, 38);
    pixmap.fill(QColor(52, 73, 94));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::white);
    painter.setFont(ToQFont("Arial", 11.25, true));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("Aguarde, processando..."));
    return pixmap;
}

QPixmap SortArrow(bool ascending)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    if (ascending) {
        arrow.moveTo(6, 2);
        arrow.lineTo(11, 9);
        arrow.lineTo(1, 9);
    } else {
        arrow.moveTo(1, 3);
        arrow.lineTo(11, 3);
        arrow.lineTo(6, 10);
    }
    arrow.closeSubpath();
    painter.fillPath(arrow, QColor(90, 90, 90));
    return pixmap;
}

} // namespace

QPixmap NamedPicture(const std::string& name)
{
    if (name == "MensagemDeEspera")
        return WaitMessage();
    if (name == "Classificacao_Crescente")
        return SortArrow(true);
    if (name == "Classificacao_Decrescente")
        return SortArrow(false);
    return {};
}

} // namespace desktop
