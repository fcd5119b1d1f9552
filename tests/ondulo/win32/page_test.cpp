// The NuvOndulo page driven through its controls under Wine: the interval and
// frequency modes, the pulse width, the controller fields and learning, the
// refresh after Load, values the controls cannot hold, a page without an
// effect, the resize contract and a picture of each wave.
#include <string>

#include "tests/ondulo/win32/page_fixture.h"
#include "toolkit/kop_messages.h"

namespace nuv::ondulo {
namespace {

void PressOn(const kop::KopScaledControl& control, POINT at) {
    page_test::PressLeft(control.Handle(), at);
    page_test::PumpUntilIdle();
}

// A press sent straight to a button, as while a slider holds the mouse.
void SendPress(const kop::KopScaledControl& button) {
    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    page_test::PumpUntilIdle();
}

TEST_F(OnduloPage, IntervalsAndTheFreqModeShowTheFrequencyValue) {
    Open();
    for (int press = 0; press < 2; ++press) Click(page->intervalButtons[3]);  // "Half", pressed again
    EXPECT_TRUE(page->intervalButtons[3].Checked());
    EXPECT_EQ(effect->freeCycle, 2.0f);
    EXPECT_EQ(effect->generator.targetCycle, 2.0f);
    EXPECT_EQ(page->frequency.label.Caption(), L"16");
    EXPECT_EQ(pageRef->IsPageDirty(), S_OK);
    Click(page->intervalButtons[6]);
    EXPECT_EQ(page->frequency.label.Caption(), L"128");
    EXPECT_FALSE(page->intervalButtons[3].Checked());

    Click(page->freqMode);
    EXPECT_EQ(effect->useInterval, 0);
    EXPECT_TRUE(page->freqMode.Checked() && !page->intervalMode.Checked());
    EXPECT_EQ(page->frequency.slider.Value(), 127.0f);
    EXPECT_EQ(page->frequency.label.Caption(), L"127");
    EXPECT_FALSE(IsWindowEnabled(page->intervalButtons[0].Handle()));

    // "Interval" in the middle of a drag: the slider's last notification
    // arrives after the change and glides nothing.
    PressOn(page->frequency.slider, POINT{5, 20});
    SendPress(page->intervalMode);
    EXPECT_FALSE(page->frequency.slider.Dragging());
    EXPECT_EQ(effect->useInterval, 1);
    EXPECT_EQ(effect->generator.targetCycle, 16.0f);
    EXPECT_EQ(effect->generator.cycleGlideStep, 0.0f);
}

TEST_F(OnduloPage, OnlyThePulseWaveTakesAPulseWidth) {
    Open();
    EXPECT_FALSE(page->pulseWidth.slider.Enabled());
    Click(page->waveButtons[kPulse]);
    EXPECT_EQ(effect->generator.waveform, kPulse);
    ASSERT_TRUE(page->pulseWidth.slider.Enabled());
    PressOn(page->pulseWidth.slider, POINT{5, 60});
    ASSERT_TRUE(page->pulseWidth.slider.Dragging());
    const float width = effect->pulseWidth;
    SendPress(page->waveButtons[kSawtooth]);
    EXPECT_FALSE(page->pulseWidth.slider.Enabled());
    EXPECT_FALSE(page->pulseWidth.slider.Dragging());
    EXPECT_NE(GetCapture(), page->pulseWidth.slider.Handle());
    EXPECT_EQ(effect->pulseWidth, width);
    EXPECT_TRUE(page->waveButtons[kSawtooth].Checked() && !page->waveButtons[kPulse].Checked());
}

TEST_F(OnduloPage, ControllerFieldsStoreOffAndPutRefusedTextBack) {
    Open();
    const HWND field = page->controllerFields[0].Handle();
    EXPECT_EQ(TextOf(field), L"7");
    const auto typeOver = [&](const wchar_t* text) {
        SendMessageW(field, EM_SETSEL, 0, -1);
        page_test::TypeText(field, text);
        page_test::PumpUntilIdle();
    };
    typeOver(L"0");
    EXPECT_EQ(TextOf(field), L"OFF");
    EXPECT_EQ(effect->modulatedCC, 0);
    typeOver(L"12");
    for (const wchar_t* refused : {L"128", L"x"}) {
        typeOver(refused);
        EXPECT_EQ(TextOf(field), L"12") << refused;
        EXPECT_EQ(effect->modulatedCC, 12) << refused;
    }
}

UINT_PTR menuTimer = 0;

// Window thread, inside the field's menu loop: chooses "&Learn".
void CALLBACK ChooseLearn(HWND, UINT, UINT_PTR, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, menuTimer);
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(OnduloPage, LearnsTheNextLiveControllerAsTheMenuAsked) {
    Open();
    const kop::KopTextEdit& field = page->controllerFields[2];  // "Amplitude CC"
    menuTimer = SetTimer(nullptr, 0, 50, &ChooseLearn);
    SendMessageW(field.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field.Handle()), MAKELPARAM(-1, -1));
    page_test::PumpUntilIdle();
    EXPECT_EQ(effect->learnTarget, kLearnAmplitude);
    EXPECT_TRUE(field.Learning() && !page->controllerFields[0].Learning());
    EXPECT_EQ(pageRef->IsPageDirty(), S_FALSE);

    nuv::testing::RunInput(*effect, {nuv::testing::Message(0xB0, 21, 100)});
    page_test::PumpUntil([&] { return TextOf(field.Handle()) == L"21"; }, 1000);
    EXPECT_EQ(TextOf(field.Handle()), L"21");
    EXPECT_FALSE(field.Learning());
}

TEST_F(OnduloPage, LoadShowsAtTheNextTickAndNothingRedrawsWithoutARefreshFlag) {
    Open();
    auto stored = nuv::testing::MakeEffect<NuvMfx>();
    stored->amplitude = -30.0f;
    stored->waveform = kPulse;
    ComRef<host::MemoryStream> stream(new host::MemoryStream(nuv::testing::SavedBytes(*stored)));
    ASSERT_EQ(effect->Load(stream.Get()), S_OK);
    page_test::PumpFor(250);
    EXPECT_EQ(page->amplitude.slider.Value(), -30.0f);
    EXPECT_EQ(page->amplitude.label.Caption(), L"-30");
    EXPECT_TRUE(page->waveButtons[kPulse].Checked());

    const std::vector<float> shown = page->waveGraph.LastCurve().levels;
    WriteLocked(effect->settingsLock, effect->amplitude, 20.0f);
    effect->generator.targetAmplitude = 20.0f;
    page_test::PumpFor(250);
    EXPECT_EQ(page->amplitude.slider.Value(), -30.0f);
    EXPECT_EQ(page->waveGraph.LastCurve().levels, shown);
}

TEST_F(OnduloPage, StoredValuesBeyondTheControlsShowAsTheEngineUsesThem) {
    effect->rateIndex = 9;
    effect->amplitude = 100.0f;
    effect->offset = -90.0f;
    effect->pulseWidth = 150.0f;
    effect->frequencyCC = 300;
    Open();
    EXPECT_TRUE(page->intervalButtons[6].Checked());
    EXPECT_EQ(page->frequency.label.Caption(), L"128");
    EXPECT_EQ(page->amplitude.label.Caption(), L"63");
    EXPECT_EQ(page->offset.slider.Value(), -64.0f);
    EXPECT_EQ(page->pulseWidth.label.Caption(), L"99");
    EXPECT_EQ(TextOf(page->controllerFields[1].Handle()), L"OFF");
    EXPECT_EQ(effect->rateIndex, 9);  // shown, not written back
}

TEST_F(OnduloPage, WithoutAnEffectThePanelAloneShowsAndNothingActs) {
    ASSERT_EQ(frame.Open(page, nullptr), S_OK);
    page_test::PumpUntilIdle();
    Click(page->waveButtons[kPulse]);
    SendMessageW(page->Handle(), kop::WM_SLIDER_CHANGED, kAmplitudeSliderId, 5);
    SendMessageW(page->Handle(), kop::WM_TEXT_LEARN, kFirstControllerFieldId, kop::WM_TEXT_LEARN);
    const auto picture = Picture(page->waveGraph);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->CountNot(0x04070C, RECT{0, 0, picture->Width(), picture->Height()}), 0);
    EXPECT_EQ(pageRef->IsPageDirty(), S_FALSE);
}

TEST_F(OnduloPage, TheResizeContractHoldsForEveryControl) {
    Open();
    EXPECT_EQ(page->RegisteredCount(), 44u);
    page_test::ExpectResizeContract(frame, *page);
}

TEST_F(OnduloPage, APictureOfEachWave) {
    Open();
    const std::string folder = NUV_PICTURE_DIR;
    CreateDirectoryA(("Z:" + folder).c_str(), nullptr);
    const ParameterDescription& waves = Parameters()[kWaveformParameter];
    for (std::int32_t wave = kSine; wave <= kRandom; ++wave) {
        Click(page->waveButtons[static_cast<std::size_t>(wave)]);
        const auto picture = page_test::WindowPicture::Take(page->Handle());
        ASSERT_TRUE(picture.has_value());
        const std::wstring path = L"Z:" + std::wstring(folder.begin(), folder.end()) + L"/NuvOndulo_" +
                                  ChoiceLabel(waves, wave) + L".png";
        EXPECT_TRUE(picture->SavePng(path));
    }
}

}  // namespace
}  // namespace nuv::ondulo
