// The styled buttons: what a disabled one looks like, and how hover and press feel.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "palette.h"
#include "vantrel_button.h"
#include "view_styling.h"

namespace {

bool darker(const QColor& a, const QColor& b) {
  return a.redF() < b.redF() && a.greenF() < b.greenF() && a.blueF() < b.blueF();
}

TEST(VantrelButtonTest, ADisabledStyledButtonIsGrayWithoutShadowOrPointingHand) {
  VantrelButton button(QStringLiteral("Export"));
  styleButton(&button, QStringLiteral("Export"), palette::gray(), false);
  EXPECT_FALSE(button.isEnabled());
  EXPECT_EQ(button.stateFill(), QColor::fromRgbF(0.70f, 0.70f, 0.70f));
  EXPECT_EQ(button.shownFill(), button.stateFill()) << "restyled at once, not faded";
  EXPECT_EQ(button.palette().color(QPalette::ButtonText), QColor::fromRgbF(0.35f, 0.35f, 0.35f));
  EXPECT_EQ(button.shadowOpacity(), 0.0);
  EXPECT_NE(button.cursor().shape(), Qt::PointingHandCursor);

  styleButton(&button, QStringLiteral("Export"), palette::green(), true);
  EXPECT_EQ(button.stateFill(), palette::green());
  EXPECT_EQ(button.palette().color(QPalette::ButtonText), QColor(Qt::white));
  EXPECT_GT(button.shadowOpacity(), 0.0);
  EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
  button.setEnabled(false);
  EXPECT_NE(button.cursor().shape(), Qt::PointingHandCursor);
}

TEST(VantrelButtonTest, HoverLightensAndPressDarkensThenTheClickRuns) {
  QWidget window;
  auto* button = new VantrelButton(QStringLiteral("+"), &window);
  button->resize(80, 30);
  styleButton(button, QStringLiteral("+"), palette::brand(), true);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // Whatever the pointer did while the window appeared, start from outside the button.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(button, &leave);
  const QColor idle = palette::brand();
  EXPECT_EQ(button->stateFill(), idle);
  const qreal restingShadow = button->shadowOpacity();

  QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
  QCoreApplication::sendEvent(button, &enter);
  EXPECT_TRUE(button->isHovered());
  EXPECT_TRUE(darker(idle, button->stateFill()));
  EXPECT_GT(button->shadowOpacity(), restingShadow);
  // The fill fades over to the hover colour.
  EXPECT_TRUE(QTest::qWaitFor([&] { return button->shownFill() == button->stateFill(); }, 2000));

  QSignalSpy clicked(button, &QPushButton::clicked);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(button->isPressed());
  EXPECT_TRUE(darker(button->stateFill(), idle));
  EXPECT_EQ(button->shownFill(), button->stateFill()) << "a press shows at once";
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(button->isPressed());
  EXPECT_TRUE(button->isHovered());
  EXPECT_EQ(clicked.count(), 1);

  QCoreApplication::sendEvent(button, &leave);
  EXPECT_EQ(button->stateFill(), idle);
}

}  // namespace
