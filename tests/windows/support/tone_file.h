#pragma once

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

// A short mono tone as a WAV file in the temporary folder.
inline std::string WriteToneFile(double seconds, const char* name = "celestra-tone.wav") {
    const uint32_t rate = 22050;
    const uint32_t samples = static_cast<uint32_t>(rate * seconds);
    std::vector<int16_t> pcm(samples);
    for (uint32_t i = 0; i < samples; ++i) {
        pcm[i] = static_cast<int16_t>(8000.0 * std::sin(2.0 * 3.14159265 * 440.0 * i / rate));
    }
    auto put32 = [](std::string& s, uint32_t v) { s.append(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [](std::string& s, uint16_t v) { s.append(reinterpret_cast<const char*>(&v), 2); };
    std::string wav = "RIFF";
    put32(wav, 36 + samples * 2);
    wav += "WAVEfmt ";
    put32(wav, 16);
    put16(wav, 1);
    put16(wav, 1);
    put32(wav, rate);
    put32(wav, rate * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav += "data";
    put32(wav, samples * 2);
    wav.append(reinterpret_cast<const char*>(pcm.data()), samples * 2);

    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, wav.data(), static_cast<DWORD>(wav.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}
