// Key and mouse dispatch through the handler tables.
#include <vector>

#include "tests/support/framework_fixture.h"

namespace {

std::vector<std::string> trail;
std::vector<WfEvent> events;

void keyA() { trail.push_back("A"); }
void keyB() { trail.push_back("B"); }
void keyLate() { trail.push_back("late"); }
void keyAddsLate() {
  trail.push_back("adder");
  wfAddKeyHandler(37, keyLate);
}
void keyCloses() {
  trail.push_back("closer");
  wfCloseWindow();
}
void mouseRecord(WfEvent* e) { events.push_back(*e); }

class Dispatch : public FreshFramework {
 protected:
  void SetUp() override {
    FreshFramework::SetUp();
    trail.clear();
    events.clear();
  }
};

TEST_F(Dispatch, EveryMatchingKeyEntryRunsInRegistrationOrder) {
  wfAddKeyHandler(37, keyA);
  wfAddKeyHandler(39, keyLate);
  wfAddKeyHandler(37, keyB);
  EXPECT_EQ(wfDispatchKey(37), 1);
  EXPECT_EQ(trail, (std::vector<std::string>{"A", "B"}));
}

TEST_F(Dispatch, NothingRunsForAnUnregisteredKeyAndTheResultIsZero) {
  wfAddKeyHandler(37, keyA);
  EXPECT_EQ(wfDispatchKey(38), 0);
  EXPECT_TRUE(trail.empty());
  EXPECT_EQ(wfDispatchPress(5, 5, WF_BUTTON_LEFT), 0);
}

TEST_F(Dispatch, AnEntryAddedDuringADispatchRunsInTheSameDispatch) {
  wfAddKeyHandler(37, keyAddsLate);
  EXPECT_EQ(wfDispatchKey(37), 1);
  EXPECT_EQ(trail, (std::vector<std::string>{"adder", "late"}));
}

TEST_F(Dispatch, CloseWindowInsideAHandlerEndsTheDispatch) {
  wfAddKeyHandler(37, keyCloses);
  wfAddKeyHandler(37, keyA);
  wfAddMouseHandler(1, WF_MOUSE_PRESS, mouseRecord);
  EXPECT_EQ(wfDispatchKey(37), 1);
  EXPECT_EQ(trail, (std::vector<std::string>{"closer"}));
  EXPECT_EQ(wfKeyCount, 0);
  EXPECT_EQ(wfPressCount, 0);
  // The emptied tables no longer deliver anything.
  EXPECT_EQ(wfDispatchPress(1, 1, WF_BUTTON_LEFT), 0);
  EXPECT_TRUE(events.empty());
}

TEST_F(Dispatch, PressCallsOnlyTheEntryOfTheButtonThatWentDown) {
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_PRESS, mouseRecord);
  EXPECT_EQ(wfDispatchPress(120, 30, WF_BUTTON_LEFT), 1);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].event, WF_MOUSE_PRESS);
  EXPECT_EQ(events[0].x, 120);
  EXPECT_EQ(events[0].y, 30);
  EXPECT_EQ(events[0].button, WF_BUTTON_LEFT);
  EXPECT_EQ(wfDispatchPress(120, 30, WF_BUTTON_RIGHT), 0);
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(Dispatch, ReleaseGoesOnlyToTheReleaseTable) {
  wfAddMouseHandler(WF_BUTTON_RIGHT, WF_MOUSE_PRESS, mouseRecord);
  wfAddMouseHandler(WF_BUTTON_RIGHT, WF_MOUSE_RELEASE, mouseRecord);
  EXPECT_EQ(wfDispatchRelease(-4, 900, WF_BUTTON_RIGHT), 1);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].event, WF_MOUSE_RELEASE);
  EXPECT_EQ(events[0].x, -4);
  EXPECT_EQ(events[0].y, 900);
  EXPECT_EQ(events[0].button, WF_BUTTON_RIGHT);
}

TEST_F(Dispatch, MotionWithTwoHeldButtonsCallsEachMatchingEntryOnce) {
  wfAddMouseHandler(WF_BUTTON_MIDDLE, WF_MOUSE_MOTION, mouseRecord);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_MOTION, mouseRecord);
  wfAddMouseHandler(WF_BUTTON_RIGHT, WF_MOUSE_MOTION, mouseRecord);
  EXPECT_EQ(wfDispatchMotion(7, 8, WF_BUTTON_LEFT | WF_BUTTON_MIDDLE), 1);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].button, WF_BUTTON_MIDDLE);  // registration order first
  EXPECT_EQ(events[1].button, WF_BUTTON_LEFT);
  for (const WfEvent& e : events) EXPECT_EQ(e.event, WF_MOUSE_MOTION);
  events.clear();
  EXPECT_EQ(wfDispatchMotion(7, 8, 0), 0);  // no button held: nothing
  EXPECT_TRUE(events.empty());
}

TEST_F(Dispatch, AnEntryForButtonZeroMatchesEveryAbsentBit) {
  // The comparison (mask & bit) == button makes a 0 entry fire once per bit not held.
  wfAddMouseHandler(0, WF_MOUSE_MOTION, mouseRecord);
  EXPECT_EQ(wfDispatchMotion(1, 1, WF_BUTTON_RIGHT), 1);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].button, WF_BUTTON_LEFT);
  EXPECT_EQ(events[1].button, WF_BUTTON_MIDDLE);
}

TEST_F(Dispatch, UnknownEventKindRegistersNothing) {
  wfAddMouseHandler(1, 8, mouseRecord);
  wfAddMouseHandler(1, 0, mouseRecord);
  EXPECT_EQ(wfPressCount + wfReleaseCount + wfMotionCount, 0);
}

TEST_F(Dispatch, AFullTableIgnoresFurtherRegistrations) {
  for (int i = 0; i < WF_TABLE_CAPACITY; ++i) wfAddKeyHandler(1000 + i, keyA);
  wfAddKeyHandler(13, keyB);
  EXPECT_EQ(wfKeyCount, WF_TABLE_CAPACITY);
  EXPECT_EQ(wfDispatchKey(13), 0);
  for (int i = 0; i < WF_TABLE_CAPACITY + 5; ++i) wfAddMouseHandler(1, WF_MOUSE_PRESS, mouseRecord);
  EXPECT_EQ(wfPressCount, WF_TABLE_CAPACITY);
}

}  // namespace
