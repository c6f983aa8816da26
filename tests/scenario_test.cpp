// The scenario reader: each item of the focus vessel and each block, one line
// at a time, and where and why it refuses a scenario.
#include "sim/program/scenario.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Lines 1 to 8, then the focus vessel's items from line 9 on.
std::string Scenario(const std::string& items, const std::string& header = "GL-01:DeltaGlider",
                     const std::string& blocks = "") {
  return blocks + "BEGIN_FOCUS\n  Ship GL-01\nEND_FOCUS\nBEGIN_SHIPS\nISS:ProjectAlpha_ISS\nEND\n" + header +
         "\n  PRPLEVEL 0:1 1:0.5\n" + items + "\nEND\nEND_SHIPS\n";
}

// What the page sees of the focus vessel, in one line.
std::string Seen(const sim::Scenario& s) {
  std::ostringstream out;
  out << "cockpit " << s.situation.cockpitMode << ", rcs " << s.situation.attitudeMode << ", afc "
      << s.situation.vessel.adcMode << ", status " << s.situation.vessel.flightStatus << ", levels";
  const auto& levels = s.situation.vessel.thrusterLevels;
  for (std::size_t i = 0; i < levels.size(); ++i)
    if (levels[i] != 0) out << ' ' << i << ':' << levels[i];
  if (s.flightData) out << ", plays back from line " << *s.flightData;
  return out.str();
}

std::string Read(const std::string& text) {
  try {
    return Seen(sim::ParseScenario(text, "Name", "Vitals"));
  } catch (const sim::ScenarioError& e) {
    return std::to_string(e.Line()) + ": " + e.what();
  }
}

TEST(ScenarioItems, EachItemOfTheFocusVesselHasItsEffect) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "cockpit 1, rcs 1, afc 0, status 0, levels"},
      {"STATUS Landed Earth", "cockpit 1, rcs 1, afc 0, status 1, levels"},
      {"STATUS Orbiting Moon", "cockpit 1, rcs 1, afc 0, status 0, levels"},
      {"RCSMODE 0", "cockpit 1, rcs 0, afc 0, status 0, levels"},
      {"RCSMODE 2", "cockpit 1, rcs 2, afc 0, status 0, levels"},
      {"RCSMODE 0\r", "cockpit 1, rcs 0, afc 0, status 0, levels"},
      {"AFCMODE 7", "cockpit 1, rcs 1, afc 7, status 0, levels"},
      {"THLEVEL 0:0.5 7:0.25 20:1", "cockpit 1, rcs 1, afc 0, status 0, levels 0:0.5 7:0.25 20:1"},
      // Reported within 0..1.
      {"THLEVEL 4:-0.101470 5:1.5", "cockpit 1, rcs 1, afc 0, status 0, levels 5:1"},
      // A DeltaGlider has 21 thrusters: thruster 21 is skipped.
      {"THLEVEL 21:1 1:1", "cockpit 1, rcs 1, afc 0, status 0, levels 1:1"},
      // Tank 0 feeds thrusters 0-6, tank 1 7-20; a tank not listed is empty.
      {"PRPLEVEL 0:0 1:1\n  THLEVEL 6:1 7:1", "cockpit 1, rcs 1, afc 0, status 0, levels 7:1"},
      {"PRPLEVEL 0:1\n  THLEVEL 6:1 7:1", "cockpit 1, rcs 1, afc 0, status 0, levels 6:1"},
      {"DOCKINFO 0:1,ISS", "cockpit 1, rcs 1, afc 0, status 2, levels"},
      {"DOCKINFO 0:1,Nobody", "cockpit 1, rcs 1, afc 0, status 0, levels"},
      {"STATUS Landed Earth\n  DOCKINFO 0:1,ISS", "cockpit 1, rcs 1, afc 0, status 3, levels"},
      {"FLIGHTDATA", "cockpit 1, rcs 1, afc 0, status 0, levels, plays back from line 9"},
      {"HEADING 174.13", "cockpit 1, rcs 1, afc 0, status 0, levels"},
  };
  for (const auto& [item, seen] : cases) EXPECT_EQ(Read(Scenario("  " + std::string(item))), seen) << item;
}

TEST(ScenarioItems, WhatTheHostReadsButThePageChangesIsNoted) {
  const sim::Scenario s = sim::ParseScenario(Scenario("  THLEVEL 4:-0.5 25:1 8:1\n  PRPLEVEL 1:0"), "Name", "Vitals");
  EXPECT_EQ(s.notes, (std::vector<sim::ScenarioNote>{{9, "THLEVEL: DeltaGlider has no thruster 25: skipped"},
                                                     {9, "THLEVEL: thruster 4 at -0.5 reads 0"},
                                                     {9, "THLEVEL: thruster 8 at 1 reads 0: tank 1 is empty"}}));
}

TEST(ScenarioBlocks, CockpitDisplayAndRecordingFolder) {
  struct Case {
    const char* blocks;
    int cockpit;
    const char* display;  // "" for none
    const char* playback;
  } cases[] = {
      {"", 1, "", "Name"},
      {"BEGIN_VC\nEND_VC\n", 3, "", "Name"},
      {"BEGIN_VC\nEND_VC\nBEGIN_PANEL\nEND_PANEL\n", 2, "", "Name"},
      {"BEGIN_MFD Left\n  TYPE User\n  MODE Vitals\nEND_MFD\n", 1, "Left", "Name"},
      {"BEGIN_MFD Right\n  TYPE Orbit\n  MODE Vitals\nEND_MFD\nBEGIN_MFD 5\n  TYPE User\n  MODE Vitals\nEND_MFD\n", 1,
       "5", "Name"},
      {"BEGIN_MFD Left\n  TYPE User\n  MODE Other\nEND_MFD\n", 1, "", "Name"},
      {"BEGIN_ENVIRONMENT\n  System Sol\n  Playback Welcome to Orbiter 2024\nEND_ENVIRONMENT\n", 1, "",
       "Welcome to Orbiter 2024"},
      // The text of a block the reader ignores is not read for items.
      {"BEGIN_DESC\nBEGIN_PANEL\nEND_DESC\n", 1, "", "Name"},
  };
  for (const Case& c : cases) {
    const sim::Scenario s = sim::ParseScenario(Scenario("", "GL-01:DeltaGlider", c.blocks), "Name", "Vitals");
    EXPECT_EQ(s.situation.cockpitMode, c.cockpit) << c.blocks;
    EXPECT_EQ(s.display.value_or(""), c.display) << c.blocks;
    EXPECT_EQ(s.playback, c.playback) << c.blocks;
  }
}

TEST(ScenarioShips, ClassesAndTheirThrusters) {
  const sim::Scenario dgs =
      sim::ParseScenario(Scenario("  PRPLEVEL 2:1\n  THLEVEL 21:1 22:0.5", "GL-01:dg-s"), "N", "Vitals");
  EXPECT_EQ(Seen(dgs), "cockpit 1, rcs 1, afc 0, status 0, levels 21:1 22:0.5");
  // Main, retro, hover, then the attitude groups: a thruster may stand in two.
  const std::vector<std::vector<std::uint32_t>> groups = {{0, 1},   {2, 3},   {4, 5, 6}, {7, 8},   {9, 10},
                                                          {11, 12}, {13, 14}, {15, 16},  {17, 18}, {13, 12},
                                                          {11, 14}, {7, 10},  {9, 8},    {19},     {20}};
  for (int g = 0; g < sim::VesselState::kGroups; ++g) {
    std::vector<std::uint32_t> got;
    for (const sim::GroupThruster& t : dgs.situation.vessel.groups[static_cast<std::size_t>(g)])
      got.push_back(t.thruster);
    EXPECT_EQ(got, groups[static_cast<std::size_t>(g)]) << g;
  }
  // A ship named as its class; the focus docked by another ship's DOCKINFO.
  const std::string mir =
      "BEGIN_FOCUS\nShip Mir\nEND_FOCUS\nBEGIN_SHIPS\nGL-01:DeltaGlider\nEND\nMir\nEND\nEND_SHIPS\n";
  EXPECT_EQ(Read(mir), "7: the focus vessel Mir is of class 'Mir', not one the page knows: DeltaGlider, DG-S");
  EXPECT_EQ(Read("BEGIN_FOCUS\nShip GL-01\nEND_FOCUS\nBEGIN_SHIPS\nISS:ProjectAlpha_ISS\n DOCKINFO 1:0,GL-01\nEND\n"
                 "GL-01:DeltaGlider\nEND\nEND_SHIPS\n"),
            "cockpit 1, rcs 1, afc 0, status 2, levels");
}

// Refusals of the ships, then of the focus vessel's numbers, name the line and the item.
TEST(ScenarioShips, RefusalsNameTheLineAndTheReason) {
  const std::pair<std::string, const char*> cases[] = {
      {"BEGIN_SHIPS\nGL-01:DeltaGlider\nEND\nEND_SHIPS\n", "0: no BEGIN_FOCUS block: no focus vessel"},
      {"BEGIN_FOCUS\nEND_FOCUS\n", "1: BEGIN_FOCUS holds no 'Ship NAME' line"},
      {"BEGIN_FOCUS\nShip GL-02\nEND_FOCUS\nBEGIN_SHIPS\nGL-01:DeltaGlider\nEND\nEND_SHIPS\n",
       "2: the focus vessel 'GL-02' is not among the ships"},
      {Scenario("", "GL-01:XR2"),
       "7: the focus vessel GL-01 is of class 'XR2', not one the page knows: DeltaGlider, DG-S"},
      {"BEGIN_FOCUS\nShip GL-01\nEND_FOCUS\nBEGIN_SHIPS\nGL-01:DeltaGlider\n STATUS Landed Earth\nEND_SHIPS\n",
       "5: ship GL-01 has no END line before END_SHIPS"},
      {Scenario(std::string(sim::kMaxScenarioBytes, ' ')), "0: larger than 4194304 bytes"},
      {Scenario("\n  RCSMODE two"), "10: RCSMODE: 'two' is not a whole number"},
      {Scenario("\n  RCSMODE 1.5"), "10: RCSMODE: '1.5' is not a whole number"},
      {Scenario("\n  AFCMODE -1"), "10: AFCMODE: '-1' is not a whole number from 0 to 4294967295"},
      {Scenario("\n  THLEVEL 0:1 2:"), "10: THLEVEL: '2:' is not INDEX:NUMBER"},
      {Scenario("\n  THLEVEL 0=1"), "10: THLEVEL: '0=1' is not INDEX:NUMBER"},
      {Scenario("\n  PRPLEVEL 0:nan"), "10: PRPLEVEL: '0:nan' is not INDEX:NUMBER"},
      {Scenario("\n  DOCKINFO 0:1 ISS"), "10: DOCKINFO: '0:1' is not PORT:PORT,NAME"},
  };
  for (const auto& [text, why] : cases) EXPECT_EQ(Read(text), why) << text.substr(0, 80);
}

}  // namespace
