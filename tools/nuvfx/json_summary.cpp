#include "tools/nuvfx/json_summary.h"

#include "tools/nuvfx/json_writer.h"

namespace nuv::nuvfx {
namespace {

void PutKind(JsonWriter& json, const char* name, const KindCount& k) {
    json.Key(name).BeginObject();
    json.Key("in").Number(k.in).Key("out").Number(k.out);
    json.Key("added").Number(k.out > k.in ? k.out - k.in : 0).Key("removed").Number(k.in > k.out ? k.in - k.out : 0);
    json.EndObject();
}

void PutCounts(JsonWriter& json, const SongSummary& s) {
    json.Key("notes").BeginObject();
    json.Key("in").Number(s.notesIn).Key("out").Number(s.notesOut);
    json.Key("moved").Number(s.notesMoved).Key("transposed").Number(s.notesTransposed);
    json.Key("velocityChanged").Number(s.velocitiesChanged);
    json.Key("dropped").Number(s.notesDropped).Key("added").Number(s.notesAdded);
    json.EndObject();
    json.Key("events").BeginObject();
    PutKind(json, "controllers", s.controllers);
    PutKind(json, "wheel", s.wheel);
    PutKind(json, "keyPressure", s.keyPressure);
    PutKind(json, "channelPressure", s.channelPressure);
    json.EndObject();
    json.Key("keptUnchanged").Number(s.keptEvents);
    json.Key("unendedNotes").Number(s.unendedNotes).Key("unmatchedNoteOffs").Number(s.unmatchedNoteOffs);
    json.Key("clampedTimes").Number(s.clampedTimes).Key("clampedValues").Number(s.clampedValues);
}

void PutStage(JsonWriter& json, const ChainStage& stage, const EffectPass& pass) {
    json.BeginObject();
    json.Key("effect").String(stage.effect);
    json.Key("seed");
    if (stage.seed) {
        json.Number(static_cast<std::int64_t>(*stage.seed));
    } else {
        json.Null();
    }
    json.Key("randomNumbers").String(stage.seedText);
    json.Key("tracks").BeginArray();
    for (std::size_t i = 0; i < pass.tracks.size(); ++i) {
        json.BeginObject();
        json.Key("track").Number(static_cast<std::int64_t>(i + 1));
        json.Key("played").Bool(pass.tracks[i].tracksPlayed != 0);
        PutCounts(json, pass.tracks[i]);
        json.EndObject();
    }
    json.EndArray();
    json.Key("total").BeginObject();
    PutCounts(json, pass.total);
    json.EndObject();
    json.EndObject();
}

void PutFile(JsonWriter& json, const std::string& input, const std::string& output) {
    json.Key("input").String(input);
    json.Key("output");
    if (output.empty()) {
        json.Null();
    } else {
        json.String(output);
    }
}

void PutWarnings(JsonWriter& json, const std::vector<std::string>& warnings) {
    json.Key("warnings").BeginArray();
    for (const std::string& w : warnings) json.String(w);
    json.EndArray();
}

}  // namespace

std::string SummaryJson(const SongFacts& facts, const std::vector<ChainStage>& stages, const ChainRun& run,
                        const std::vector<std::string>& warnings) {
    JsonWriter json;
    json.BeginObject();
    PutFile(json, facts.input, facts.output);
    json.Key("ok").Bool(true);
    PutWarnings(json, warnings);
    json.Key("song").BeginObject();
    json.Key("format").Number(std::int64_t{facts.format});
    json.Key("tracks").Number(static_cast<std::int64_t>(facts.tracks));
    json.Key("ticksPerQuarter").Number(std::int64_t{facts.timebase});
    json.Key("secondsIn").Number(facts.secondsIn).Key("secondsOut").Number(facts.secondsOut);
    json.Key("tempoEvents").Number(static_cast<std::int64_t>(facts.tempoEvents));
    json.EndObject();
    json.Key("effects").BeginArray();
    for (std::size_t i = 0; i < stages.size() && i < run.passes.size(); ++i) PutStage(json, stages[i], run.passes[i]);
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}

std::string FailureJson(const std::string& input, const std::string& output, const std::string& error,
                        const std::vector<std::string>& warnings) {
    JsonWriter json;
    json.BeginObject();
    PutFile(json, input, output);
    json.Key("ok").Bool(false);
    PutWarnings(json, warnings);
    json.Key("error").String(error);
    json.EndObject();
    return json.Text() + "\n";
}

}  // namespace nuv::nuvfx
