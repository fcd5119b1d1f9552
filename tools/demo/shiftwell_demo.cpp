// Runs the bundled example phrase through NuvShiftwell in the substitute host
// and prints the events in and out side by side.
//
// usage: shiftwell_demo EVENTS.txt [shift] [lowKey] [highKey]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plugins/shiftwell/key_name.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "tools/host/queues.h"
#include "tools/host/services.h"

namespace {

using nuv::HostEvent;

bool ParseLine(const std::string& line, HostEvent& event) {
    std::istringstream in(line);
    std::string kind;
    long time = 0, channel = 0, number = 0, value = 0, duration = 0;
    if (!(in >> time >> kind >> channel >> number >> value >> duration)) return false;
    event = HostEvent{};
    event.time = static_cast<std::int32_t>(time);
    event.channel = static_cast<std::uint8_t>(channel);
    event.number = static_cast<std::uint8_t>(number);
    event.value = static_cast<std::uint8_t>(value);
    event.duration = static_cast<std::int32_t>(duration);
    if (kind == "note") event.kind = nuv::Note;
    else if (kind == "control") event.kind = nuv::Control;
    else if (kind == "keyaft") event.kind = nuv::KeyAft;
    else if (kind == "chanaft") event.kind = nuv::ChanAft;
    else if (kind == "wheel") {
        event.kind = nuv::Wheel;
        nuv::SetWheelValue(event, static_cast<std::int16_t>(value));
    } else return false;
    return true;
}

std::string Describe(const HostEvent& e) {
    char text[64];
    switch (e.kind) {
    case nuv::Note: {
        std::wstring name = nuv::shiftwell::KeyName(e.number);
        std::snprintf(text, sizeof text, "Note %-4s vel %3d dur %4d", std::string(name.begin(), name.end()).c_str(),
                      e.value, e.duration);
        break;
    }
    case nuv::Control: std::snprintf(text, sizeof text, "Control %3d = %3d", e.number, e.value); break;
    case nuv::Wheel: std::snprintf(text, sizeof text, "Wheel %+6d", nuv::WheelValue(e)); break;
    case nuv::ChanAft: std::snprintf(text, sizeof text, "ChanAft %3d", e.value); break;
    case nuv::KeyAft: std::snprintf(text, sizeof text, "KeyAft %3d = %3d", e.number, e.value); break;
    default: std::snprintf(text, sizeof text, "kind %d", e.kind); break;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s EVENTS.txt [shift] [lowKey] [highKey]\n", argv[0]);
        return 2;
    }
    std::ifstream file(argv[1]);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    std::vector<HostEvent> events;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        HostEvent e;
        if (ParseLine(line, e)) events.push_back(e);
    }

    nuv::host::ComPtr<nuv::shiftwell::NuvMfx> effect(new nuv::shiftwell::NuvMfx);
    effect->shift = argc > 2 ? std::atoi(argv[2]) : 5;
    effect->lowKey = argc > 3 ? std::atoi(argv[3]) : 60;
    effect->highKey = argc > 4 ? std::atoi(argv[4]) : 76;
    nuv::host::ComPtr<nuv::host::HostContext> context(new nuv::host::HostContext);
    effect->Connect(context.Get());

    std::printf("NuvShiftwell: shift %+d, key range %ls..%ls\n\n", effect->shift,
                nuv::shiftwell::KeyName(effect->lowKey).c_str(), nuv::shiftwell::KeyName(effect->highKey).c_str());
    std::printf("%6s  %-28s  %-28s\n", "time", "in", "out");
    std::printf("%6s  %-28s  %-28s\n", "------", "----------------------------", "----------------------------");
    for (const HostEvent& e : events) {
        nuv::host::ComPtr<nuv::host::EventQueue> in(new nuv::host::EventQueue({e}));
        nuv::host::ComPtr<nuv::host::EventQueue> out(new nuv::host::EventQueue);
        effect->OnEvents(e.time, e.time, in.Get(), out.Get());
        const std::string result = out->Records().empty() ? "(dropped)" : Describe(out->Records()[0]);
        std::printf("%6d  %-28s  %-28s\n", e.time, Describe(e).c_str(), result.c_str());
    }
    effect->Disconnect();
    return 0;
}
