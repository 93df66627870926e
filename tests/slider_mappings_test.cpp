#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/slider_mappings.h"
#include "scene_fixture.h"

using SliderMappings = SceneTest;

static std::string Text(Slider slider, double value)
{
    char buffer[64];
    FormatSliderValue(slider, value, buffer, sizeof buffer);
    return buffer;
}

TEST_F(SliderMappings, StartTextsAndPositions)
{
    EXPECT_EQ(Text(Slider::Altitude, StartDisplayValue(Slider::Altitude)), "395.7");
    EXPECT_EQ(Text(Slider::Amplitude, StartDisplayValue(Slider::Amplitude)), " 11.3");
    EXPECT_EQ(Text(Slider::Frequency, StartDisplayValue(Slider::Frequency)), " 0.52");
    EXPECT_EQ(Text(Slider::Phase, StartDisplayValue(Slider::Phase)), " 7.5");
    EXPECT_EQ(SliderStartPosition(Slider::Altitude), 104);
    EXPECT_EQ(SliderStartPosition(Slider::Amplitude), 10);
    // WaveNumber is a float, so 120 - k * 100 / DegToRad lands just below 68.
    EXPECT_EQ(SliderStartPosition(Slider::Frequency), 67);
    EXPECT_EQ(SliderStartPosition(Slider::Phase), 25);
}

TEST_F(SliderMappings, UntouchedSlidersStoreTheirPositionsValues)
{
    StoreSliderValue(Slider::Altitude, 104);
    StoreSliderValue(Slider::Amplitude, 10);
    StoreSliderValue(Slider::Frequency, 67);
    StoreSliderValue(Slider::Phase, 25);
    EXPECT_EQ(Scene.Altitude, 396.0f);
    EXPECT_EQ(Scene.Amplitude, 12.0f);
    EXPECT_EQ(Scene.WaveNumber, static_cast<float>(53 * 0.00017453293));
    EXPECT_EQ(Scene.PhaseStep, 7.5f);
    EXPECT_EQ(Scene.Frequency, 0.52f);  // never written after start-up
    EXPECT_EQ(Text(Slider::Altitude, SliderDisplayValue(Slider::Altitude, 104)), "396.0");
    EXPECT_EQ(Text(Slider::Amplitude, SliderDisplayValue(Slider::Amplitude, 10)), " 12.0");
    EXPECT_EQ(Text(Slider::Frequency, SliderDisplayValue(Slider::Frequency, 67)), " 0.53");
    EXPECT_EQ(Text(Slider::Phase, SliderDisplayValue(Slider::Phase, 25)), " 7.5");
}

TEST_F(SliderMappings, ExtremesOfEverySlider)
{
    struct Case {
        Slider slider;
        int position;
        const char* text;
    };
    const Case cases[] = {
        {Slider::Altitude, 100, "400.0"}, {Slider::Altitude, 400, "100.0"}, {Slider::Amplitude, 0, " 22.0"},
        {Slider::Amplitude, 22, "  0.0"}, {Slider::Frequency, 0, " 1.20"},  {Slider::Frequency, 120, " 0.00"},
        {Slider::Phase, -40, "14.0"},     {Slider::Phase, 150, "-5.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(c.slider, SliderDisplayValue(c.slider, c.position)), c.text);
        StoreSliderValue(c.slider, c.position);
    }
    EXPECT_EQ(Scene.Altitude, 100.0f);
    EXPECT_EQ(Scene.Amplitude, 0.0f);
    EXPECT_EQ(Scene.WaveNumber, 0.0f);  // a flat layer
    EXPECT_EQ(Scene.PhaseStep, -5.0f);  // the drift reverses
    StoreSliderValue(Slider::Frequency, 0);
    EXPECT_EQ(Scene.WaveNumber, static_cast<float>(120 * 0.00017453293));
}

TEST_F(SliderMappings, EveryPositionRoundTripsThroughTheStartPosition)
{
    // What a slider stores puts the thumb back where it was. Frequency and
    // phase are the exceptions: their float fields (0.01 and 0.1 steps) often
    // compute back to just beside the position, and truncation toward zero
    // then moves it by one (67 for 68; -38 for -39).
    for (int i = 0; i < SliderCount; ++i) {
        const Slider slider = static_cast<Slider>(i);
        for (int p = SliderLayouts[i].Min; p <= SliderLayouts[i].Max; ++p) {
            StoreSliderValue(slider, p);
            const int back = SliderStartPosition(slider);
            if (slider == Slider::Frequency || slider == Slider::Phase) {
                EXPECT_LE(std::abs(back - p), 1) << i << " " << p;
            } else {
                EXPECT_EQ(back, p) << i;
            }
        }
    }
    // Positions far outside every range stay defined.
    EXPECT_EQ(SliderDisplayValue(Slider::Altitude, -2147483647 - 1), 500.0 + 2147483648.0);
    Scene.Altitude = 1e30f;
    EXPECT_EQ(SliderStartPosition(Slider::Altitude), -2147483647 - 1);
}
