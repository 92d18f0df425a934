// Corrections of the readings past the shear plane: sliding halves, their
// overlap area and the resistance of membrane and side drains to the sliding.
#include <gtest/gtest.h>

#include <numbers>

#include "readings/reduction.hpp"
#include "readings_fixture.hpp"

namespace velmor::readings {
namespace {

using testing::Lab;
using testing::loop_test;

// Reading 4 slides from reading 3, whose corrections are set by hand.
Lab sliding_reading() {
  Lab t = loop_test(4);
  TestState& S = t.S;
  ReadingTable& R = t.R;
  S.PAXIAL = 13;
  S.CMBH = 0.0161f;
  R.EPSAX(3) = 0.04f;
  R.EPSVOL(3) = -0.005f;
  R.CORAR(3) = 11.8f;
  R.CM1PRE(3) = 0.005f;
  R.CM3PRE(3) = 0.0009f;
  R.CFSIG1(3) = 0.098f;
  R.CMDEDS(3) = 0.0041f;
  R.EPSAX(4) = 0.05f;
  R.EPSVOL(4) = -0.006f;
  R.SIG3UC(4) = 2;
  R.PP(4) = 0.5f;
  R.PARA3(4) = 1;
  return t;
}

TEST(ReadingsShearPlane, WorkedSlidingReading) {
  Lab t = sliding_reading();
  const ReadingTable& R = t.R;
  correct_on_plane(t.S, t.R, 4);
  EXPECT_EQ(t.S.NPOST, 1);
  EXPECT_EQ(t.S.IREF, 3);
  EXPECT_EQ(t.S.DELS, 0.009692164f);
  EXPECT_EQ(t.S.DEQ, 3.875745f);
  EXPECT_EQ(t.S.DELH, 0.07559888f);
  EXPECT_EQ(t.S.THETA, 3.114276f);
  EXPECT_EQ(R.CORAR(4), 11.594806f);
  EXPECT_EQ(t.S.ARAPX, 11.594838f);
  EXPECT_EQ(R.ERRAC(4), 0.00027965044f);
  EXPECT_EQ(t.S.CMLOG, 0.6922342f);
  EXPECT_EQ(R.CMS1LR(4), 0.27694702f);
  EXPECT_EQ(R.CMS3LR(4), 0.067511074f);
  EXPECT_EQ(R.CMDELR(4), 0.3444581f);  // the sum of the two shares
  EXPECT_EQ(t.S.FPKF, 0.09213022f);    // polynomial at DELS, without 1.135
  EXPECT_EQ(R.CFS1DS(4), 0.098f);
  EXPECT_EQ(R.CFS1LR(4), 0.04767491f);
  EXPECT_EQ(R.CFSIG1(4), 0.14567491f);
  EXPECT_EQ(R.DELTAS(4), 0.9692164f);
  EXPECT_EQ(R.CMS1DS(4), 0.005f);
  EXPECT_EQ(R.CMS3DS(4), 0.0009f);
  EXPECT_EQ(R.SIG1UC(4), 3.1211917f);
  EXPECT_EQ(R.CMSIG1(4), 0.28194702f);    // the sliding share added to the major
  EXPECT_EQ(R.CMSIG3(4), -0.066611074f);  // and taken from the minor stress correction
  EXPECT_EQ(R.CMDEPF(4), 0.3485581f);
  EXPECT_EQ(R.ERMCBH(4), -83.27395f);  // thin shell of the last reading before, + 0.0422
  EXPECT_EQ(R.SIG1C(4), 2.69357f);
  EXPECT_EQ(R.SIG3C(4), 2.066611f);
  EXPECT_EQ(R.DEVSC(4), 0.31347942f);
  EXPECT_EQ(R.TOTST(4), 2.3800905f);
  EXPECT_EQ(R.EFFNS(4), 1.8800905f);
  EXPECT_EQ(R.CMDEDS(4), 0.0041f);
  EXPECT_EQ(R.PERCMB(4), 55.59505f);
  EXPECT_EQ(R.PERCSD(4), 23.235163f);
}

TEST(ReadingsShearPlane, NoSlidingKeepsTheAreaOfTheReference) {
  Lab t = loop_test(2);
  t.S.KVOL = 1;  // no volume change: equal strains give no sliding
  for (int I = 1; I <= 2; ++I) {
    t.R.SDIAL(I) = 100;
    t.R.PRDIAL(I) = 15;
    t.R.TMIN(I) = static_cast<float>(15 * I);
  }
  t.R.PARA3(2) = 1;
  reduce_readings(t.S, t.R);
  const double ref = t.R.CORAR(1);
  EXPECT_EQ(t.S.DELS, 0.0f);
  EXPECT_EQ(t.S.THETA, static_cast<float>(std::numbers::pi));
  EXPECT_NEAR(t.R.CORAR(2), ref, 1e-6 * ref);
  EXPECT_EQ(t.S.ARAPX, t.R.CORAR(1));
  EXPECT_NEAR(t.R.ERRAC(2), 0.0, 1e-4);
  EXPECT_EQ(t.R.CMDELR(2), 0.0f);
  EXPECT_EQ(t.R.DELTAS(2), 0.0f);
  // The side drains at zero sliding carry CFP0 of their load.
  EXPECT_NEAR(t.R.CFS1LR(2), 6 * 0.3 * 0.19 / t.R.CORAR(2), 1e-6 * t.R.CFS1LR(2));
}

// Readings 1-5 before the plane, 6-9 past it, the dial moving on steadily.
TEST(ReadingsShearPlane, EveryReadingPastThePlaneSlidesFromTheLastBefore) {
  Lab t = loop_test(9);
  const float dial[] = {0, 40, 80, 120, 160, 200, 300, 400, 500};
  const float ring[] = {2, 14, 20, 24, 27, 28, 28, 27, 26};
  for (int I = 1; I <= 9; ++I) {
    t.R.SDIAL(I) = dial[I - 1];
    t.R.RAMDSP(I) = dial[I - 1];
    t.R.PRDIAL(I) = ring[I - 1];
    t.R.VOLRD1(I) = 20;
    t.R.PP(I) = 40;
    t.R.TMIN(I) = static_cast<float>(20 * (I - 1));
    t.R.PARA3(I) = I >= 6 ? 1.0f : 0.0f;
  }
  reduce_readings(t.S, t.R);
  EXPECT_EQ(t.S.NPOST, 4);
  EXPECT_EQ(t.S.IREF, 5);
  ASSERT_NE(t.R.CM1PRE(5), t.R.CM1PRE(4));
  for (int I = 6; I <= 9; ++I) {
    EXPECT_EQ(t.R.CMS1DS(I), t.R.CM1PRE(5)) << I;
    EXPECT_EQ(t.R.CMS3DS(I), t.R.CM3PRE(5)) << I;
    EXPECT_EQ(t.R.CFS1DS(I), t.R.CFSIG1(5)) << I;
    EXPECT_EQ(t.R.CMDEDS(I), t.R.CMDEDS(5)) << I;
    EXPECT_GT(t.R.DELTAS(I), t.R.DELTAS(I - 1)) << I;
    EXPECT_LT(t.R.CORAR(I), t.R.CORAR(I - 1)) << I;  // the overlap shrinks
  }
  // The linear approximation falls below the overlap, more so as it slides.
  EXPECT_LT(t.R.ERRAC(7), 0.0f);
  EXPECT_LT(t.R.ERRAC(8), t.R.ERRAC(7));
  EXPECT_LT(t.R.ERRAC(9), t.R.ERRAC(8));
}

}  // namespace
}  // namespace velmor::readings
