#include "host/desktop/Pictures.h"

#include "host/desktop/Convert.h"
#include "platform/Pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <iostream>
#include <set>

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

// A name nobody draws: a framed box carrying the name, so the gap shows on the screen too.
QPixmap UnknownPicture(const std::string& name)
{
    const QString text = ToQString(name);
    QPixmap pixmap(std::max(80, 12 + 7 * static_cast<int>(text.size())), 24);
    pixmap.fill(QColor(250, 235, 235));
    QPainter painter(&pixmap);
    painter.setPen(QColor(160, 40, 40));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return pixmap;
}

QPixmap Paw(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(52, 73, 94));
    painter.drawRoundedRect(QRectF(0, 0, 32, 32), 7, 7);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(9, 14, 14, 12));
    for (const QPointF toe : {QPointF(7, 10), QPointF(13, 6), QPointF(19, 6), QPointF(25, 10)})
        painter.drawEllipse(toe, 3, 3.6);
    return pixmap;
}

} // namespace

QIcon ApplicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 64})
        icon.addPixmap(Paw(size));
    return icon;
}

QPixmap NamedPicture(const std::string& name)
{
    namespace pictures = platform::pictures;
    if (name.empty())
        return {};
    if (name == pictures::MensagemDeEspera || name == pictures::MensagemDePesquisa)
        return WaitMessage();
    if (name == pictures::ClassificacaoCrescente)
        return SortArrow(true);
    if (name == pictures::ClassificacaoDecrescente)
        return SortArrow(false);
    static std::set<std::string> reported;
    if (reported.insert(name).second)
        std::cerr << "kelo-prevendas: nenhuma figura chamada \"" << name << "\" para desenhar\n";
    return UnknownPicture(name);
}

} // namespace desktop
