# The sound bank reader and the sound library's wave image reader.
reedgunner_fuzzer(fuzz_sound_bank sound_bank_fuzz.cpp)
reedgunner_fuzzer(fuzz_wav wav_fuzz.cpp)
