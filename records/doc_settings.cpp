#include "doc_settings.h"

#include "program_path.h"

const std::array<const char*, SoundEventCount> kDefaultSoundFiles = {
    "BeginIntervall.wav", "EndIntervall.wav", "EndIntervallUddhacca.wav", "UddhaccaAlarm.wav",
    "EndExercise.wav",
};

void DocSettings::SetDefaults()
{
    m_bTimeSound = 1;
    m_strTrainingType.clear();
    m_bFixedExerciseTime = 1;
    m_timeFixedDuration = MakeDuration(0, 10, 0);
    m_bAutoUddhaccaAlarm = 0;
    m_timeAlarmInterval = MakeDuration(0, 5, 0);
    m_timeFilter = MakeDuration(0, 0, 10);
    m_nWaveVolume = -1;
    m_nMainVolume = -1;
    for (int i = 0; i < SoundEventCount; ++i)
        m_strSoundFile[static_cast<std::size_t>(i)] = GetProgramFilePath(kDefaultSoundFiles[static_cast<std::size_t>(i)]);
}
