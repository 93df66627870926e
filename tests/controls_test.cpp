// The dialog's value mappings and texts, and the main window's key table.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "controls/key_commands.h"
#include "controls/scenes.h"
#include "controls/slider_mappings.h"
#include "render/view_mapping.h"
#include "scene_fixture.h"

namespace {

std::string Text(Slider slider, double value)
{
    char buffer[64];
    FormatSliderValue(slider, value, buffer, sizeof buffer);
    return buffer;
}

float Field(Slider slider)
{
    const float fields[] = {Scene.Altitude, Scene.Amplitude, Scene.WaveNumber, Scene.PhaseStep};
    return fields[static_cast<int>(slider)];
}

using Controls = SceneTest;

// The wave number the frequency slider stores at a position's (120 - p).
float WaveNumberAt(int steps) { return static_cast<float>(steps * 0.00017453293); }

TEST_F(Controls, SliderStartTextsPositionsAndStoredValues)
{
    struct Move {
        int Position;
        const char* Text;
        float Stored;
    };
    // Each slider's start, then touched there without moving, at the top and at the bottom.
    const struct {
        Slider Which;
        const char* StartText;
        int Start;
        Move Moves[3];
    } sliders[] = {
        {Slider::Altitude, "395.7", 104, {{104, "396.0", 396}, {100, "400.0", 400}, {400, "100.0", 100}}},
        {Slider::Amplitude, " 11.3", 10, {{10, " 12.0", 12}, {0, " 22.0", 22}, {22, "  0.0", 0}}},
        // The wave number is a float: 120 - k * 100 / 0.017453293 is just below 68.
        {Slider::Frequency,
         " 0.52",
         67,
         {{67, " 0.53", WaveNumberAt(53)}, {0, " 1.20", WaveNumberAt(120)}, {120, " 0.00", 0}}},
        {Slider::Phase, " 7.5", 25, {{25, " 7.5", 7.5f}, {-40, "14.0", 14}, {150, "-5.0", -5}}},
    };
    for (const auto& s : sliders) {
        EXPECT_EQ(Text(s.Which, StartDisplayValue(s.Which)), s.StartText);
        EXPECT_EQ(SliderStartPosition(s.Which), s.Start) << s.StartText;
        for (const Move& m : s.Moves) {
            EXPECT_EQ(Text(s.Which, SliderDisplayValue(s.Which, m.Position)), m.Text);
            StoreSliderValue(s.Which, m.Position);
            EXPECT_EQ(Field(s.Which), m.Stored) << m.Text;
        }
    }
    EXPECT_EQ(Scene.Frequency, 0.52f);  // never written after start-up
    // Far outside every range the arithmetic stays defined.
    EXPECT_EQ(SliderDisplayValue(Slider::Altitude, -2147483647 - 1), 500.0 + 2147483648.0);
    Scene.Altitude = 1e30f;
    EXPECT_EQ(SliderStartPosition(Slider::Altitude), -2147483647 - 1);
}

// A value from a link goes back to the position that shows it, and beyond
// the range to the end that is nearest.
TEST_F(Controls, SliderPositionOfAValueShown)
{
    for (int i = 0; i < SliderCount; ++i) {
        const Slider slider = static_cast<Slider>(i);
        const SliderLayout& layout = LayoutOf(slider);
        for (int p = layout.Min; p <= layout.Max; ++p) {
            EXPECT_EQ(SliderPositionOf(slider, SliderDisplayValue(slider, p)), p) << i;
            // What the text shows, read back, as from a link.
            EXPECT_EQ(SliderPositionOf(slider, std::stod(Text(slider, SliderDisplayValue(slider, p)))), p) << i;
        }
        const double top = SliderDisplayValue(slider, layout.Min), bottom = SliderDisplayValue(slider, layout.Max);
        EXPECT_TRUE(SliderPositionOf(slider, top + 1e9) == layout.Min &&
                    SliderPositionOf(slider, bottom - 1e9) == layout.Max &&
                    SliderPositionOf(slider, -HUGE_VAL) == layout.Max && SliderPositionOf(slider, NAN) == layout.Min)
            << i;
    }
    EXPECT_EQ(SliderPositionOf(Slider::Altitude, 395.7), 104);  // the start value, to the nearest position
}

// The whiskers' state as 2 x tangents + normals: 3, both shown, must never happen.
enum Whiskers { None, Normals, Tangents };

TEST_F(Controls, OnlyOurKeysActWithBit0x20IgnoredForTNAndQ)
{
    // From none, normals, tangents: what T and N lead to.
    const int afterT[] = {Tangents, Tangents, None}, afterN[] = {Normals, None, Normals};
    for (std::uintptr_t code = 0; code < 0x200; ++code) {
        // With bit 0x20 ignored, F5 (0x74), the keypad's '.' (0x6E) and F2 (0x71) act as T, N and Q.
        const bool isT = code == 0x54 || code == 0x74, isN = code == 0x4E || code == 0x6E;
        const bool isQ = code == 0x51 || code == 0x71;
        for (int start = None; start <= Tangents; ++start) {
            Scene.ShowNormals = start == Normals, Scene.ShowTangents = start == Tangents;
            const KeyAction action = ApplyKey(code);
            const int now = 2 * Scene.ShowTangents + Scene.ShowNormals;
            EXPECT_EQ(now, isT ? afterT[start] : isN ? afterN[start] : start) << std::hex << code;
            // R, M, W, A, S, I and the digits 1 to 5, but not F3 (0x72), the keypad's minus (0x6D), F8 (0x77),
            // its 1 (0x61), F4 (0x73) or its 9 (0x69).
            const KeyAction expected = isQ                            ? KeyAction::Quit
                                       : code == 0x52                 ? KeyAction::ReceiverToggled
                                       : code == 0x4D                 ? KeyAction::MapToggled
                                       : code == 0x57                 ? KeyAction::WaterfallToggled
                                       : code == 0x41                 ? KeyAction::SoundToggled
                                       : code == 0x70                 ? KeyAction::Help  // F1
                                       : code == 0x53                 ? KeyAction::StatisticsToggled
                                       : code == 0x49                 ? KeyAction::IonosphereChanged
                                       : code >= 0x31 && code <= 0x35 ? KeyAction::SceneChosen
                                                                      : KeyAction::None;
            EXPECT_EQ(action, expected) << std::hex << code;
        }
    }
}

TEST_F(Controls, ReceiverAndDriftKeys)
{
    auto press = [](std::uintptr_t key, int times) {
        while (times-- > 0) {
            ApplyKey(key);
        }
        return Viewer.Receiver.X;
    };
    EXPECT_EQ(press(0x27, 1), 900);  // Right, while the receiver is hidden: it stays
    press(0x52, 1);
    EXPECT_TRUE(press(0x27, 1) == 910 && press(0x25, 3) == 880 && press(0x25, 200) == 1 && press(0x27, 200) == 1500);
    ApplyKey(0xBE);  // a step while running asks for nothing
    ApplyKey(0x20);
    EXPECT_TRUE(Viewer.Paused && !Viewer.StepPending);
    ApplyKey(0xBE);
    EXPECT_TRUE(Viewer.StepPending);
    ApplyKey(0x20);
    EXPECT_FALSE(Viewer.Paused);
    // A click puts the receiver where the column shows it, within its range.
    for (int column = 7; column < 1000; column += 31) {
        EXPECT_NEAR(MapToScreenX(ReceiverXAtColumn(column)), column, 1) << column;
    }
    auto placeAt = [](int column) { return PlaceReceiver(ReceiverXAtColumn(column)), Viewer.Receiver.X; };
    EXPECT_TRUE(placeAt(-50) == 1 && placeAt(5000) == 1500);
}

// The waterfall and the sound are the receiver's: either shows it, hiding
// it ends both; the map is the ground's and stays, and so are the
// statistics, which S shows and hides. Flags as the digits of receiver,
// map, waterfall, sound, statistics.
TEST_F(Controls, WaterfallAndSoundBelongToTheReceiver)
{
    const int presses[][2] = {{0x4D, 1000},  {0x53, 1001}, {0x57, 11101}, {0x57, 11001}, {0x41, 11011},
                              {0x57, 11111}, {0x52, 1001}, {0x41, 11011}, {0x4D, 10011}, {0x53, 10010}};
    for (const auto& p : presses) {
        ApplyKey(p[0]);
        EXPECT_EQ(10000 * Viewer.ReceiverShown + 1000 * Viewer.MapShown + 100 * Viewer.WaterfallShown +
                      10 * Viewer.SoundOn + Viewer.StatisticsShown,
                  p[1])
            << std::hex << p[0];
    }
}

// Each scene's key sets the layer to what its sliders show, so that the
// dialog and the page, moving their sliders there, show the values in use:
// a slider touched where it stands changes nothing. Calm and Disturbed have
// the start values, and the dialog's start positions and texts. Each shows
// the receiver at its place, sets the ionosphere (the seed kept) and starts
// fresh statistics.
TEST_F(Controls, SceneKeysMoveEverythingTheSlidersShow)
{
    const int startPositions[SliderCount] = {104, 10, 67, 25};
    const char* startTexts[SliderCount] = {"395.7", " 11.3", " 0.52", " 7.5"};
    SetIonosphere(Ionosphere::Quiet, 77);
    for (int scene = SceneCount - 1; scene >= 0; --scene) {
        ShowReceiver(false);
        AddFadingLevel(Fading, 1);
        EXPECT_EQ(ApplyKey(0x31 + scene), KeyAction::SceneChosen);
        const bool start = scene == 0 || scene == 4;
        EXPECT_TRUE(Viewer.ChosenScene == scene && Viewer.ReceiverShown && Fading.Count == 0 &&
                    Viewer.Rough.Seed == 77);
        EXPECT_TRUE(Viewer.Receiver.X == SceneSettings[scene].ReceiverX &&
                    Viewer.Rough.Kind == (scene == 4 ? Ionosphere::Disturbed : Ionosphere::Smooth));
        EXPECT_EQ(start, Scene.Altitude == 395.7f && Scene.WaveNumber == StartSceneState().WaveNumber) << scene;
        for (int i = 0; i < SliderCount; ++i) {
            const Slider slider = static_cast<Slider>(i);
            const SliderSetting shown = SceneSlider(scene, slider);
            const float value = Field(slider);
            StoreSliderValue(slider, shown.Position);
            EXPECT_TRUE(start ? shown.Position == startPositions[i] && std::string(shown.Text) == startTexts[i]
                              : Field(slider) == value &&
                                    shown.Text == Text(slider, SliderDisplayValue(slider, shown.Position)))
                << SceneName(scene) << " " << i;
        }
    }
    EXPECT_TRUE(std::string(SceneName(3)) == "Focusing" && std::string(SceneName(5)).empty());
}

// I steps the ionosphere round its four settings, keeping the seed. The
// statistics start afresh whenever what they describe changes: the receiver
// moved or shown, the ionosphere or its seed; not when the receiver is put
// where it already is.
TEST_F(Controls, StatisticsIonosphereAndFreshStatistics)
{
    SetIonosphere(Ionosphere::Smooth, 9);
    for (Ionosphere next : {Ionosphere::Quiet, Ionosphere::Moderate, Ionosphere::Disturbed, Ionosphere::Smooth}) {
        EXPECT_EQ(ApplyKey(0x49), KeyAction::IonosphereChanged);
        EXPECT_TRUE(Viewer.Rough.Kind == next && Viewer.Rough.Seed == 9u);
    }
    const auto kept = [](void (*change)()) {
        AddFadingLevel(Fading, 1);
        change();
        return Fading.Count != 0;
    };
    EXPECT_TRUE(kept([] { PlaceReceiver(Viewer.Receiver.X); }));
    EXPECT_TRUE(kept([] { SetIonosphere(Viewer.Rough.Kind, Viewer.Rough.Seed); }));
    EXPECT_FALSE(kept([] { PlaceReceiver(Viewer.Receiver.X + 1); }));
    EXPECT_FALSE(kept([] { ShowReceiver(true); }));
    EXPECT_FALSE(kept([] { SetIonosphere(Viewer.Rough.Kind, Viewer.Rough.Seed + 1); }));
    EXPECT_FALSE(kept([] { SetIonosphere(Ionosphere::Quiet, Viewer.Rough.Seed); }));
}

}  // namespace
