#include "records/document_settings.h"

#include "records/program_path.h"

const std::array<const char*, kSoundEventCount> kDefaultSoundFiles = {
    "BeginIntervall.wav", "EndIntervall.wav", "EndIntervallUddhacca.wav", "UddhaccaAlarm.wav", "EndExercise.wav",
};

void DocumentSettings::setDefaults()
{
    m_timeSound = 1;
    m_trainingType.clear();
    m_fixedExerciseTime = 1;
    m_timeFixedDuration = makeDuration(0, 10, 0);
    m_autoUddhaccaAlarm = 0;
    m_timeAlarmInterval = makeDuration(0, 5, 0);
    m_timeFilter = makeDuration(0, 0, 10);
    m_waveVolume = -1;
    m_mainVolume = -1;
    for (std::size_t i = 0; i < kSoundEventCount; ++i)
        m_soundFiles[i] = programFilePath(kDefaultSoundFiles[i]);
}

DocumentSettings DocumentSettings::withChanges(const DocumentSettings& from, const DocumentSettings& to) const
{
    DocumentSettings changed = *this;
    forEachStoredMember([&](auto member) {
        if (!(from.*member == to.*member))
            changed.*member = to.*member;
    });
    return changed;
}
