#pragma once

class TrainingDocument;

// A morning of practice for pictures of the forms: fourteen intervals in three
// measurements of the first training type, every fourth one ended by uddhacca.
void addSamplePractice(TrainingDocument& document);
