#include "document_export.h"

#include "calendar_time.h"
#include "document.h"
#include "text_encoding.h"

#include <cstdio>
#include <string>

namespace {

std::string LocalTimeText(CalendarTime time)
{
    const std::tm f = BreakLocalTime(time);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", f.tm_year + 1900, f.tm_mon + 1, f.tm_mday,
                  f.tm_hour, f.tm_min, f.tm_sec);
    return text;
}

std::string JsonString(const std::string& bytes)
{
    std::string out = "\"";
    for (const char c : DecodeText(bytes)) {
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

const char* JsonBool(std::int32_t flag)
{
    return flag ? "true" : "false";
}

std::string CsvField(const std::string& bytes)
{
    const std::string text = DecodeText(bytes);
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

void ExportJson(const CVersenkwerkDoc& doc, std::ostream& out)
{
    const DocSettings& s = doc.m_settings;
    out << "{\"settings\":{\"training_type\":" << JsonString(s.m_strTrainingType)
        << ",\"fixed_exercise_time\":" << JsonBool(s.m_bFixedExerciseTime)
        << ",\"fixed_duration_s\":" << DurationSeconds(s.m_timeFixedDuration)
        << ",\"auto_uddhacca_alarm\":" << JsonBool(s.m_bAutoUddhaccaAlarm)
        << ",\"alarm_interval_s\":" << DurationSeconds(s.m_timeAlarmInterval)
        << ",\"filter_s\":" << DurationSeconds(s.m_timeFilter) << ",\"wave_volume\":" << s.m_nWaveVolume
        << ",\"main_volume\":" << s.m_nMainVolume << ",\"time_sound\":" << JsonBool(s.m_bTimeSound)
        << ",\"sound_files\":[";
    for (std::size_t i = 0; i < s.m_strSoundFile.size(); ++i)
        out << (i ? "," : "") << JsonString(s.m_strSoundFile[i]);
    out << "]},\"training_types\":[";
    bool firstType = true;
    for (const TrainingType& type : doc.m_aTrainingTypes) {
        out << (firstType ? "" : ",") << "{\"name\":" << JsonString(type.m_strName) << ",\"intervals\":[";
        firstType = false;
        bool firstEntry = true;
        for (const CDataEntry& e : type.m_aEntries) {
            out << (firstEntry ? "" : ",") << "{\"start\":" << e.m_timeStart << ",\"end\":" << e.m_timeEnd
                << ",\"start_local\":\"" << LocalTimeText(e.m_timeStart) << "\",\"end_local\":\""
                << LocalTimeText(e.m_timeEnd) << "\",\"uddhacca\":" << JsonBool(e.m_bUddhacca)
                << ",\"measurement\":" << e.m_nMeasurement << ",\"run\":" << e.m_nRun << "}";
            firstEntry = false;
        }
        out << "]}";
    }
    out << "]}\n";
}

void ExportCsv(const CVersenkwerkDoc& doc, std::ostream& out)
{
    out << "training_type,measurement,run,start,end,start_epoch,end_epoch,duration_s,uddhacca\n";
    for (const TrainingType& type : doc.m_aTrainingTypes) {
        const std::string name = CsvField(type.m_strName);
        for (const CDataEntry& e : type.m_aEntries) {
            out << name << ',' << e.m_nMeasurement << ',' << e.m_nRun << ',' << LocalTimeText(e.m_timeStart) << ','
                << LocalTimeText(e.m_timeEnd) << ',' << e.m_timeStart << ',' << e.m_timeEnd << ',' << e.Length()
                << ',' << (e.m_bUddhacca ? 1 : 0) << '\n';
        }
    }
}
