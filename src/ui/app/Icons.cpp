#include "ui/app/Icons.h"

#include "ui/common/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

constexpr int kToolbarSize = 22;

const QColor kInk(40, 40, 48);
const QColor kPaper(255, 255, 255);

// Draws on a 22-unit square scaled to size pixels.
QPixmap render(int size, double units, const Drawing& draw) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / units, size / units);
    draw(painter);
    return pixmap;
}

QIcon iconOf(const Drawing& draw) {
    QIcon icon;
    for (const int size : {kToolbarSize, 2 * kToolbarSize}) icon.addPixmap(render(size, kToolbarSize, draw));
    return icon;
}

QPen pen(const QColor& color, double width = 1.2) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.setBrush(QColor(210, 214, 222));
    p.drawPolygon(QPolygonF({QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5),
                             QPointF(r.right(), r.top() + 5)}));
}

void drawNew(QPainter& p) {
    page(p, QRectF(4.5, 2.5, 13, 17));
    p.setPen(pen(QColor(255, 190, 0), 1.6));
    const QPointF c(16, 16);
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(c + QPointF(3.5 * std::cos(a), 3.5 * std::sin(a)), c - QPointF(3.5 * std::cos(a), 3.5 * std::sin(a)));
    }
}

void drawOpen(QPainter& p) {
    p.setPen(pen(QColor(140, 100, 10)));
    p.setBrush(QColor(235, 190, 70));
    p.drawPolygon(QPolygonF({QPointF(2.5, 5.5), QPointF(8, 5.5), QPointF(9.5, 7.5), QPointF(17.5, 7.5),
                             QPointF(17.5, 18.5), QPointF(2.5, 18.5)}));
    p.setBrush(QColor(255, 218, 110));
    p.drawPolygon(QPolygonF({QPointF(5.5, 10.5), QPointF(20.5, 10.5), QPointF(17.5, 18.5), QPointF(2.5, 18.5)}));
}

// A round button face; leaves the painter ready for the paper-white glyph on it.
void roundBadge(QPainter& p, const QColor& fill, const QColor& edge) {
    QRadialGradient gradient(QPointF(9, 8), 11);
    gradient.setColorAt(0, fill.lighter(135));
    gradient.setColorAt(1, fill);
    p.setPen(pen(edge));
    p.setBrush(gradient);
    p.drawEllipse(QRectF(2, 2, 18, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
}

void drawCheckIn(QPainter& p) {
    roundBadge(p, QColor(40, 160, 60), QColor(20, 100, 35));
    p.drawPolygon(QPolygonF({QPointF(8.5, 6.5), QPointF(16, 11), QPointF(8.5, 15.5)}));
}

void drawCheckOut(QPainter& p) {
    roundBadge(p, QColor(205, 45, 40), QColor(130, 20, 20));
    p.drawRect(QRectF(7.5, 7.5, 7, 7));
}

void drawPause(QPainter& p) {
    roundBadge(p, QColor(30, 100, 200), QColor(15, 55, 130));
    p.drawRect(QRectF(7.5, 7, 2.5, 8));
    p.drawRect(QRectF(12, 7, 2.5, 8));
}

void person(QPainter& p, QPointF at, const QColor& color) {
    p.setPen(pen(color.darker(160), 1.0));
    p.setBrush(color);
    p.drawEllipse(QRectF(at.x() - 3, at.y(), 6, 6));
    QPainterPath body;
    body.moveTo(at.x() - 5.5, at.y() + 14);
    body.cubicTo(at.x() - 5.5, at.y() + 7, at.x() + 5.5, at.y() + 7, at.x() + 5.5, at.y() + 14);
    body.closeSubpath();
    p.drawPath(body);
}

void drawCustomers(QPainter& p) {
    person(p, QPointF(14.5, 3.5), QColor(120, 150, 210));
    person(p, QPointF(8, 6), QColor(230, 150, 60));
}

void drawProjects(QPainter& p) {
    p.setPen(pen(kInk, 1.0));
    p.drawLine(QPointF(5, 8), QPointF(5, 17));
    p.drawLine(QPointF(5, 11.5), QPointF(10, 11.5));
    p.drawLine(QPointF(5, 17), QPointF(10, 17));
    const auto box = [&p](const QRectF& r, const QColor& c) {
        p.setPen(pen(c.darker(170), 1.0));
        p.setBrush(c);
        p.drawRoundedRect(r, 1.2, 1.2);
    };
    box(QRectF(1.5, 2.5, 9, 5.5), QColor(70, 130, 200));
    box(QRectF(10, 9, 10, 5), QColor(110, 180, 90));
    box(QRectF(10, 14.5, 10, 5), QColor(240, 180, 60));
}

void drawPieChart(QPainter& p) {
    const QRectF r(2.5, 2.5, 17, 17);
    const QColor colors[] = {QColor(220, 60, 50), QColor(60, 120, 210), QColor(250, 190, 40), QColor(80, 170, 80)};
    const int spans[] = {130, 100, 70, 60};
    int start = 90;
    p.setPen(pen(QColor(255, 255, 255), 0.8));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colors[i]);
        p.drawPie(r, start * 16, spans[i] * 16);
        start += spans[i];
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(kInk, 1.0));
    p.drawEllipse(r);
}

void drawHistory(QPainter& p) {
    p.setPen(pen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(2.5, 2.5, 17, 17));
    p.setPen(pen(kInk, 0.9));
    for (int i = 0; i < 12; i += 3) {
        const double a = i * M_PI / 6;
        p.drawLine(QPointF(11 + 6.5 * std::sin(a), 11 - 6.5 * std::cos(a)),
                   QPointF(11 + 7.8 * std::sin(a), 11 - 7.8 * std::cos(a)));
    }
    p.setPen(pen(kInk, 1.5));
    p.drawLine(QPointF(11, 11), QPointF(11, 5.5));
    p.drawLine(QPointF(11, 11), QPointF(7, 13));
    p.setPen(pen(QColor(205, 45, 40), 1.0));
    p.drawLine(QPointF(11, 11), QPointF(15.5, 14.5));
}

void drawInvoice(QPainter& p) {
    QPainterPath slip;
    slip.moveTo(4.5, 1.5);
    slip.lineTo(17.5, 1.5);
    slip.lineTo(17.5, 20);
    for (int i = 0; i < 4; ++i) {
        slip.lineTo(17.5 - 1.625 * (2 * i + 1), 18.5);
        slip.lineTo(17.5 - 1.625 * (2 * i + 2), 20);
    }
    slip.closeSubpath();
    p.setPen(pen(kInk));
    p.setBrush(QColor(255, 252, 230));
    p.drawPath(slip);
    p.setPen(pen(QColor(120, 120, 130), 1.0));
    for (const double y : {5.0, 8.0, 11.0}) p.drawLine(QPointF(7, y), QPointF(15, y));
    p.setPen(pen(QColor(20, 110, 40), 1.8));
    p.drawLine(QPointF(10, 15), QPointF(15, 15));
}

void drawAbout(QPainter& p) {
    roundBadge(p, QColor(50, 110, 190), QColor(25, 60, 120));
    p.drawEllipse(QRectF(9.6, 5, 2.8, 2.8));
    p.drawRoundedRect(QRectF(9.7, 9, 2.6, 8), 0.8, 0.8);
}

// A clock face over a gold coin on a dark rounded square.
void drawProgram(QPainter& p) {
    QLinearGradient back(0, 0, 0, 22);
    back.setColorAt(0, QColor(30, 110, 120));
    back.setColorAt(1, QColor(15, 65, 75));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(QRectF(0.5, 0.5, 21, 21), 4, 4);
    p.setBrush(kPaper);
    p.setPen(pen(QColor(10, 40, 45), 0.8));
    p.drawEllipse(QRectF(2.5, 2.5, 14, 14));
    p.setPen(pen(kInk, 1.3));
    p.drawLine(QPointF(9.5, 9.5), QPointF(9.5, 5));
    p.drawLine(QPointF(9.5, 9.5), QPointF(13, 11));
    p.setPen(pen(QColor(150, 100, 0), 0.8));
    p.setBrush(QColor(250, 200, 50));
    p.drawEllipse(QRectF(12.5, 12.5, 8, 8));
    p.setPen(pen(QColor(150, 100, 0), 0.9));
    p.drawLine(QPointF(16.5, 14.5), QPointF(16.5, 18.5));
}

// The program icon with the state's mark in its lower right corner, where the coin is.
void drawRunningMark(QPainter& p) {
    drawProgram(p);
    p.setPen(pen(QColor(10, 80, 20), 0.9));
    p.setBrush(QColor(40, 190, 60));
    p.drawEllipse(QRectF(11.5, 11.5, 10, 10));
    QPainterPath play;
    play.moveTo(15, 14);
    play.lineTo(19, 16.5);
    play.lineTo(15, 19);
    play.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(play);
}

void drawPausedMark(QPainter& p) {
    drawProgram(p);
    p.setPen(pen(QColor(120, 70, 0), 0.9));
    p.setBrush(QColor(240, 160, 20));
    p.drawEllipse(QRectF(11.5, 11.5, 10, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(14.3, 14, 1.6, 5));
    p.drawRect(QRectF(17.1, 14, 1.6, 5));
}

}  // namespace

QIcon trayIcon(TrayState state) {
    if (state == TrayState::Idle) return programIcon();
    QIcon icon;
    for (const int size : {16, 22, 32, 48, 64})
        icon.addPixmap(render(size, kToolbarSize, state == TrayState::Running ? drawRunningMark : drawPausedMark));
    return icon;
}

QIcon commandIcon(int commandId) {
    switch (commandId) {
    // Standard actions look as the desktop's theme draws them everywhere else (and follow a
    // dark or high-contrast theme); ours where the theme has none.
    case cmd::kFileNew: return QIcon::fromTheme(QStringLiteral("document-new"), iconOf(drawNew));
    case cmd::kFileOpen: return QIcon::fromTheme(QStringLiteral("document-open"), iconOf(drawOpen));
    case cmd::kFilePrint:
    case cmd::kPrintGanttChart: return QIcon::fromTheme(QStringLiteral("document-print"));
    case cmd::kCheckIn: return iconOf(drawCheckIn);
    case cmd::kCheckOut: return iconOf(drawCheckOut);
    case cmd::kPause: return iconOf(drawPause);
    case cmd::kEditCustomers: return iconOf(drawCustomers);
    case cmd::kEditProjects: return iconOf(drawProjects);
    case cmd::kPieChart: return iconOf(drawPieChart);
    case cmd::kHistory: return iconOf(drawHistory);
    case cmd::kInvoice: return iconOf(drawInvoice);
    case cmd::kAppAbout: return iconOf(drawAbout);
    default: return {};
    }
}

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 22, 32, 48, 64, 128}) icon.addPixmap(programIconPixmap(size));
    return icon;
}

QPixmap programIconPixmap(int size) { return render(size, kToolbarSize, drawProgram); }
