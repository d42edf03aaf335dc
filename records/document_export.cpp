#include "records/document_export.h"

#include "records/buffered_text_writer.h"
#include "records/local_time_text.h"
#include "records/text_encoding.h"
#include "records/training_document.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string jsonString(const std::string& bytes)
{
    std::string out = "\"";
    for (const char c : decodeText(bytes)) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

const char* jsonBool(std::int32_t flag)
{
    return flag ? "true" : "false";
}

std::string csvField(const std::string& bytes)
{
    const std::string text = decodeText(bytes);
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

void exportJson(const TrainingDocument& doc, std::ostream& stream)
{
    const DocumentSettings& s = doc.settings();
    BufferedTextWriter out(stream);
    out << "{\"settings\":{\"training_type\":" << jsonString(s.m_trainingType)
        << ",\"fixed_exercise_time\":" << jsonBool(s.m_fixedExerciseTime)
        << ",\"fixed_duration_s\":" << durationSeconds(s.m_timeFixedDuration)
        << ",\"auto_uddhacca_alarm\":" << jsonBool(s.m_autoUddhaccaAlarm)
        << ",\"alarm_interval_s\":" << durationSeconds(s.m_timeAlarmInterval)
        << ",\"filter_s\":" << durationSeconds(s.m_timeFilter) << ",\"wave_volume\":" << s.m_waveVolume
        << ",\"main_volume\":" << s.m_mainVolume << ",\"time_sound\":" << jsonBool(s.m_timeSound)
        << ",\"sound_files\":[";
    for (std::size_t i = 0; i < s.m_soundFiles.size(); ++i)
        out << (i ? "," : "") << jsonString(s.m_soundFiles[i]);
    out << "]},\"training_types\":[";
    LocalTimeText local;
    bool firstType = true;
    for (const TrainingType& type : doc.trainingTypes()) {
        out << (firstType ? "" : ",") << "{\"name\":" << jsonString(type.m_name) << ",\"intervals\":[";
        firstType = false;
        bool firstEntry = true;
        for (const IntervalRecord& e : type.m_records) {
            // {"start":…,"end":…,"start_local":"…","end_local":"…","uddhacca":false,"measurement":…,"run":…}
            constexpr std::size_t kLongestEntry = 96 + 3 * kLongestDecimal + 2 * LocalTimeText::kLongest;
            char* at = out.room(kLongestEntry);
            if (!firstEntry)
                *at++ = ',';
            firstEntry = false;
            at = putDecimal(putLiteral(at, "{\"start\":"), e.m_timeStart);
            at = putDecimal(putLiteral(at, ",\"end\":"), e.m_timeEnd);
            at = local.put(putLiteral(at, ",\"start_local\":\""), e.m_timeStart);
            at = local.put(putLiteral(at, "\",\"end_local\":\""), e.m_timeEnd);
            at = e.m_uddhacca ? putLiteral(at, "\",\"uddhacca\":true") : putLiteral(at, "\",\"uddhacca\":false");
            at = putDecimal(putLiteral(at, ",\"measurement\":"), e.m_measurement);
            at = putLiteral(putDecimal(putLiteral(at, ",\"run\":"), e.m_run), "}");
            out.wrote(at);
        }
        out << "]}";
    }
    out << "]}\n";
}

void exportCsv(const TrainingDocument& doc, std::ostream& stream)
{
    BufferedTextWriter out(stream);
    out << "training_type,measurement,run,start,end,start_epoch,end_epoch,duration_s,uddhacca\n";
    LocalTimeText local;
    for (const TrainingType& type : doc.trainingTypes()) {
        const std::string name = csvField(type.m_name) + ',';
        // The lines of one measurement begin alike: with a short name, that
        // beginning is copied as a block of a size known when compiling, its
        // tail overwritten by what follows.
        std::array<char, 64> beginning{};
        const bool nameIsShort = name.size() + 5 <= beginning.size();
        if (nameIsShort)
            std::memcpy(beginning.data(), name.data(), name.size());
        std::size_t beginningSize = 0;
        int beginningMeasurement = -1;
        for (const IntervalRecord& e : type.m_records) {
            constexpr std::size_t kLongestRest = 9 + 3 * kLongestDecimal + 5 + 2 * LocalTimeText::kLongest;
            char* at;
            if (nameIsShort) {
                if (e.m_measurement != beginningMeasurement) {
                    beginningSize = static_cast<std::size_t>(
                        putDecimal(beginning.data() + name.size(), e.m_measurement) - beginning.data());
                    beginningMeasurement = e.m_measurement;
                }
                at = out.room(beginning.size() + kLongestRest);
                std::memcpy(at, beginning.data(), beginning.size());
                at += beginningSize;
            } else {
                out << name;
                at = putDecimal(out.room(5 + kLongestRest), e.m_measurement);
            }
            *at++ = ',';
            at = putDecimal(at, e.m_run);
            *at++ = ',';
            at = local.put(at, e.m_timeStart);
            *at++ = ',';
            at = local.put(at, e.m_timeEnd);
            *at++ = ',';
            at = putDecimal(at, e.m_timeStart);
            *at++ = ',';
            at = putDecimal(at, e.m_timeEnd);
            *at++ = ',';
            at = putDecimal(at, e.length());
            *at++ = ',';
            *at++ = e.m_uddhacca ? '1' : '0';
            *at++ = '\n';
            out.wrote(at);
        }
    }
}
