#include "splash_screen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

QWidget* showSplashScreen(const QIcon& mark, const QString& displayVersion) {
  auto* splash =
      new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  splash->setAttribute(Qt::WA_DeleteOnClose);
  // Only the rounded card is drawn: its corners show what lies behind, not a square.
  splash->setAttribute(Qt::WA_TranslucentBackground);
  splash->setFixedSize(500, 380);
  splash->setStyleSheet(
      QStringLiteral("QWidget#splash { background: rgb(51,102,153); border-radius: 20px; }"
                     "QLabel { color: white; background: transparent; }"));
  splash->setObjectName(QStringLiteral("splash"));
  auto* layout = new QVBoxLayout(splash);
  layout->setContentsMargins(20, 30, 20, 20);
  if (!mark.isNull()) {
    auto* image = new QLabel(splash);
    image->setPixmap(mark.pixmap(170, 170));
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);
  } else {
    layout->addStretch();
  }
  auto* title = new QLabel(QStringLiteral("Vantrel Photo Tether"), splash);
  title->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 30pt;"));
  auto* subtitle = new QLabel(QStringLiteral("Tethered capture for Canon cameras"), splash);
  subtitle->setStyleSheet(QStringLiteral("font-size: 14pt; color: rgba(255,255,255,191);"));
  auto* version = new QLabel(QStringLiteral("Version %1").arg(displayVersion), splash);
  version->setStyleSheet(QStringLiteral("font-size: 11pt; color: rgba(255,255,255,140);"));
  for (QLabel* label : {title, subtitle, version}) {
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    splash->move(screen->geometry().center() - splash->rect().center());
  }
  splash->show();
  return splash;
}
