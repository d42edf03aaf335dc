#include "records/document_export.h"

#include "records/buffered_text_writer.h"
#include "records/local_time_text.h"
#include "records/text_encoding.h"
#include "records/training_document.h"

#include <cstdio>
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
    // A time's text lasts until the next: one a statement.
    LocalTimeText local;
    bool firstType = true;
    for (const TrainingType& type : doc.trainingTypes()) {
        out << (firstType ? "" : ",") << "{\"name\":" << jsonString(type.m_name) << ",\"intervals\":[";
        firstType = false;
        bool firstEntry = true;
        for (const IntervalRecord& e : type.m_records) {
            out << (firstEntry ? "" : ",") << "{\"start\":" << e.m_timeStart << ",\"end\":" << e.m_timeEnd
                << ",\"start_local\":\"" << local.of(e.m_timeStart);
            out << "\",\"end_local\":\"" << local.of(e.m_timeEnd) << "\",\"uddhacca\":" << jsonBool(e.m_uddhacca)
                << ",\"measurement\":" << e.m_measurement << ",\"run\":" << e.m_run << "}";
            firstEntry = false;
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
        const std::string name = csvField(type.m_name);
        for (const IntervalRecord& e : type.m_records) {
            // A time's text lasts until the next: one a statement.
            out << name << ',' << e.m_measurement << ',' << e.m_run << ',' << local.of(e.m_timeStart) << ',';
            out << local.of(e.m_timeEnd) << ',' << e.m_timeStart << ',' << e.m_timeEnd << ',' << e.length() << ','
                << (e.m_uddhacca ? '1' : '0') << '\n';
        }
    }
}
