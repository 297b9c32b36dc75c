#include "StartWindow.h"

#include "FormBehaviour.h"
#include "ProgramState.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
// A few field plots in their colours: the program's emblem.
QPixmap fieldsPicture()
{
    QPixmap pixmap(160, 120);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    const QList<QPair<QPolygonF, QColor>> plots = {
        {QPolygonF({{10, 15}, {75, 8}, {80, 55}, {14, 62}}), QColor(230, 200, 80)},
        {QPolygonF({{82, 8}, {150, 14}, {146, 52}, {86, 56}}), QColor(120, 180, 90)},
        {QPolygonF({{14, 68}, {80, 61}, {76, 112}, {18, 108}}), QColor(200, 140, 90)},
        {QPolygonF({{86, 62}, {146, 58}, {150, 110}, {82, 114}}), QColor(150, 200, 220)}};
    for (const auto& [polygon, colour] : plots) {
        p.setBrush(colour);
        p.drawPolygon(polygon);
    }
    return pixmap;
}

// A satellite over a field boundary: GPS measurement.
QPixmap measurementPicture()
{
    QPixmap pixmap(120, 120);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 90, 160), 2, Qt::DashLine));
    p.drawPolygon(QPolygonF({{15, 70}, {70, 55}, {105, 80}, {80, 110}, {20, 105}}));
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(50, 15, 20, 14);
    p.setBrush(QColor(60, 110, 190));
    p.drawRect(30, 18, 18, 8);
    p.drawRect(72, 18, 18, 8);
    return pixmap;
}
} // namespace

StartWindow::StartWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmstart"));
    setWindowTitle(ProgramState::startWindowTitle());
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(ProgramState::programTitle(), this);
    QFont font(QStringLiteral("Arial"), 20, QFont::Bold);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    auto* pictures = new QHBoxLayout;
    auto* picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("Image1"));
    picture1->setPixmap(fieldsPicture());
    auto* picture2 = new QLabel(this);
    picture2->setObjectName(QStringLiteral("Image2"));
    picture2->setPixmap(measurementPicture());
    pictures->addWidget(picture1);
    pictures->addWidget(picture2);
    layout->addWidget(title);
    layout->addLayout(pictures);
    setStyleSheet(QStringLiteral("background: white;"));
    adjustSize();
}

void StartWindow::showAndPaint()
{
    show();
    FormBehaviour::fenstermitte(this);
    repaint();
    QCoreApplication::processEvents();
}
