#include "app/info_box.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vellamo::app {

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size / 64.0;
        p.scale(s, s);
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(QColor(250, 240, 200));
        p.drawRoundedRect(QRectF(14, 10, 44, 28), 3, 3);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(6, 24, 44, 28), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 170));
        p.drawEllipse(QRectF(10, 29, 10, 10));
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(24, 31, 20, 3));
        p.drawRect(QRectF(24, 37, 14, 2));
        p.drawRect(QRectF(10, 44, 30, 2));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

InfoBox::InfoBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Info"));
    setModal(true);
    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(programIcon().pixmap(64, 64));
    auto* name =
        new QLabel(QStringLiteral("<h2>Korvend Vellamo 3.5</h2>"
                                  "<p>Design business cards and print them on sheets of card stock.</p>"),
                   this);
    name->setTextFormat(Qt::RichText);
    auto* web = new QPushButton(QStringLiteral("&Web page"), this);
    connect(web, &QPushButton::clicked, this,
            [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(ProjectWebPage))); });
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addWidget(name, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(web);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

}  // namespace vellamo::app
