// A page and an effect made for the page tests: the effect carries two
// parameters besides the shell's fields, and the page lays out the probe
// template (title, power button, badge, one switch, one edit field), shows
// the effect's level in the edit field, writes the switch into the effect
// as a dirtying edit, and counts what the tests look for.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/effect_shell.h"
#include "framework/page/property_page.h"
#include "tests/page/support/probe_ids.h"

namespace nuv::page_test {

inline constexpr CLSID kProbeEffectClass = {0x6a1f0c2e, 0x41b7, 0x4d35, {0x9e, 0x2a, 0x10, 0x55, 0x3c, 0x7d, 0x81, 0x02}};
inline constexpr CLSID kProbePageClass = {0x6a1f0c2f, 0x41b7, 0x4d35, {0x9e, 0x2a, 0x10, 0x55, 0x3c, 0x7d, 0x81, 0x02}};

class ProbeEffect final : public NuvMfxShell {
public:
    ProbeEffect() : NuvMfxShell({kProbeEffectClass, kProbePageClass, 1, 20, false}) {}

    std::int32_t level = 7;
    std::int32_t option = 0;

protected:
    // Version 1: page size, level, option.
    void LoadFields(SettingsReader& in, std::uint32_t) override {
        in.Field(pageWidth).Field(pageHeight).Field(level).Field(option);
    }
    void SaveFields(SettingsWriter& out) override {
        out.Field(pageWidth).Field(pageHeight).Field(level).Field(option);
    }
};

// An edit field that records what reaches it: its own key and wheel
// messages, and the command and colour messages its parent hands back to it.
class RecordingEdit final : public kop::KopEdit {
public:
    int keyDowns = 0;
    UINT lastKey = 0;
    int wheelMessages = 0;
    short wheelDelta = 0;
    int reflectedCommands = 0;  // EN_CHANGE and the like
    int reflectedColours = 0;   // WM_CTLCOLOREDIT

protected:
    // Window thread.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class ProbePage final : public NuvMfxPropertyPage {
public:
    ProbePage() : NuvMfxPropertyPage(PROBE_BACKGROUND_ID, PROBE_POWER_ID) { ++alive; }

    kop::KopGdiPlusButton optionSwitch;
    RecordingEdit levelEdit;

    // What the tests count, all on the window thread.
    int refreshTicks = 0;   // WM_TIMER of the refresh timer
    int rereads = 0;        // complete re-reads of the displayed values
    int ticksAtLastReread = -1;
    float monitorDpi = 0.0f;  // what the monitor query answers; 0 asks the monitor
    // Runs at each tick of the refresh timer, before the refresh.
    std::function<void(ProbePage&)> onRefreshTick;
    // Pages alive in this process.
    static int alive;

    bool HasSite() const { return Site() != nullptr; }

    // Window thread. The level shown in the edit field; -1 when unreadable.
    std::int32_t ShownLevel() const;

protected:
    void InitPage() override;
    void ReadDisplayedValues() override;
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    float MonitorDpi() const override { return monitorDpi > 0.0f ? monitorDpi : NuvMfxPropertyPage::MonitorDpi(); }

private:
    ~ProbePage() override { --alive; }
    ProbeEffect* Probe() const { return static_cast<ProbeEffect*>(Effect()); }
};

}  // namespace nuv::page_test
