// The recorder's queries, which every drawing test relies on.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/gl_recorder.h"

namespace {

TEST(GlRecorder, TracksStateAndGroupsPrimitives) {
  glrec::reset();
  glPointSize(7);
  glBegin(GL_POINTS);
  glColor3d(1, 0, 0);
  glVertex3d(3, 4, 0);
  glEnd();
  glPointSize(2);
  glBegin(GL_POINTS);
  glVertex3d(5, 6, 0);
  glEnd();
  glLineWidth(2);
  glBegin(GL_LINES);
  glColor3d(0, 1, 0);
  glVertex3d(0, 0, 0);
  glVertex3d(10, 10, 0);
  glEnd();

  EXPECT_EQ(glrec::countPrimitives(GL_POINTS), 2u);
  EXPECT_EQ(glrec::countPrimitives(GL_LINES), 1u);
  EXPECT_EQ(glrec::countCalls(glrec::Op::Vertex3d), 4u);
  auto big = glrec::points(1, 0, 0, 7);
  ASSERT_EQ(big.size(), 1u);
  EXPECT_EQ(big[0].x, 3);
  auto small = glrec::points(1, 0, 0, 2);
  ASSERT_EQ(small.size(), 1u);
  EXPECT_EQ(small[0].y, 6);
  auto green = glrec::lines(0, 1, 0);
  ASSERT_EQ(green.size(), 1u);
  EXPECT_EQ(green[0].lineWidth, 2);
  EXPECT_EQ(green[0].x2, 10);
  glrec::State s = glrec::stateBefore(1);
  EXPECT_EQ(s.pointSize, 7);
  EXPECT_EQ(s.colour[0], 1);  // initial colour is white
  EXPECT_EQ(s.colour[1], 1);
}

TEST(GlRecorder, SameCallComparesBits) {
  glrec::Call a{glrec::Op::Vertex3d, 0, {0.1 + 0.2, 0, 0, 0, 0, 0}};
  glrec::Call b{glrec::Op::Vertex3d, 0, {0.3, 0, 0, 0, 0, 0}};
  EXPECT_FALSE(glrec::sameCall(a, b));
  EXPECT_TRUE(glrec::sameCall(a, a));
  EXPECT_EQ(glrec::describe(b), "glVertex3d(0.29999999999999999, 0, 0)");
}

TEST(GlRecorder, StoringOffDropsCalls) {
  glrec::reset();
  glrec::setStoring(false);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_TRUE(glrec::calls().empty());
  glrec::reset();
  glClear(GL_COLOR_BUFFER_BIT);
  ASSERT_EQ(glrec::calls().size(), 1u);
  EXPECT_EQ(glrec::calls()[0].e, static_cast<uint32_t>(GL_COLOR_BUFFER_BIT));
}

}  // namespace

namespace {

void drawTwoPoints(double lastX) {
  glPointSize(2);
  glBegin(GL_POINTS);
  glVertex3d(1, 2, 0);
  glVertex3d(lastX, 2, 0);
  glEnd();
}

TEST(GlRecorder, DigestModeFoldsCallsInsteadOfStoringThem) {
  glrec::reset();
  glrec::setDigesting(true);
  drawTwoPoints(3.0);
  const uint64_t first = glrec::digest();
  EXPECT_EQ(glrec::digestedCount(), 5u);
  EXPECT_TRUE(glrec::calls().empty());

  glrec::restartDigest();
  drawTwoPoints(3.0);
  EXPECT_EQ(glrec::digest(), first);

  glrec::restartDigest();
  drawTwoPoints(std::nextafter(3.0, 4.0));  // one bit of one argument
  EXPECT_NE(glrec::digest(), first);

  glrec::restartDigest();
  glPointSize(2);
  glBegin(GL_LINES);  // another enum
  glVertex3d(1, 2, 0);
  glVertex3d(3, 2, 0);
  glEnd();
  EXPECT_NE(glrec::digest(), first);

  glrec::restartDigest();
  drawTwoPoints(3.0);
  glEnd();  // one call more
  EXPECT_NE(glrec::digest(), first);
  EXPECT_EQ(glrec::digestedCount(), 6u);

  glrec::reset();  // back to storing
  drawTwoPoints(3.0);
  EXPECT_EQ(glrec::calls().size(), 5u);
}

}  // namespace
