// The Windows back ends of pictures and sound: COM left as the host had it, paths outside
// the ANSI code page, and sounds that never hold up the caller.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "image/LoadImageBits.h"
#include "image/PictureLoadCodes.h"
#include "sound/KaveloSoundPlayer.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestFiles.h"

namespace fs = std::filesystem;

namespace {

// A folder of this program's own, removed at exit.
fs::path Folder() {
  static const kavelo::test::ScratchFolder scratch("kavelo-win32");
  return scratch.Dir();
}

// A BMP at a wide path: the shared writers take narrow (ANSI) paths, which lose such names.
void WriteBmp(const fs::path& file, int width, int height) {
  const auto bytes = kavelo::test::Encode(kavelo::test::Solid(width, height, {10, 20, 30, 255}),
                                          kavelo::test::Format::kBmp24);
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

int LoadWidth(const std::wstring& path) {
  COlePicture picture;
  kavelo::image::PixelBuffer pixels;
  int width = 0, height = 0, bits = 0;
  const int code = LoadImageBits(picture, path, pixels, width, height, bits);
  return code == kavelo::image::kPictureLoaded ? width : code;
}

}  // namespace

TEST(WindowsPictures, COMIsLeftAsTheHostHadItAndEveryModelLoads) {
  const fs::path file = Folder() / L"com.bmp";
  WriteBmp(file, 5, 3);
  struct Case {
    const char* host;
    DWORD model;          // the host's apartment, if it has one
    bool hostHasCom;
    HRESULT afterwards;   // CoInitializeEx in that model once the picture is loaded
  } cases[] = {
      {"no COM", COINIT_MULTITHREADED, false, S_OK},  // the plug-in undid its own
      {"single-threaded apartment", COINIT_APARTMENTTHREADED, true, S_FALSE},
      {"multithreaded apartment", COINIT_MULTITHREADED, true, S_FALSE},  // another model than the plug-in's
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.host);
    int width = 0;
    HRESULT afterwards = E_FAIL;
    std::thread([&] {
      if (c.hostHasCom) CoInitializeEx(nullptr, c.model);
      width = LoadWidth(file.wstring());
      afterwards = CoInitializeEx(nullptr, c.model);
      if (SUCCEEDED(afterwards)) CoUninitialize();
      if (c.hostHasCom) CoUninitialize();
    }).join();
    EXPECT_EQ(width, 5);
    EXPECT_EQ(afterwards, c.afterwards);
  }
}

TEST(WindowsPictures, PathsOutsideTheAnsiCodePageOpen) {
  for (const wchar_t* name : {L"tuile-\u00e9t\u00e9.bmp", L"\u74e6\u7247.bmp", L"\u0436-\U0001F600.bmp"}) {
    const fs::path file = Folder() / name;
    WriteBmp(file, 7, 2);
    EXPECT_EQ(LoadWidth(file.wstring()), 7) << file.string();
  }
}

TEST(WindowsSound, EveryPlayReturnsAtOnceWithOrWithoutAnAudioDevice) {
  // Three seconds of sound: played synchronously, a call would last that long.
  const int frames = 48000 * 3;
  const fs::path wave = Folder() / L"long.wav", wide = Folder() / L"\u74e6-\u00e9.wav";
  ASSERT_TRUE(kavelo::test::WriteFile(wave.string(), kavelo::test::MarkedWave(7, frames)));
  fs::copy_file(wave, wide);
  CKaveloSoundPlayer player;
  player.AddSound(1, wave.wstring());
  player.AddSound(2, (Folder() / L"missing.wav").wstring());
  player.AddSound(3, wide.wstring());
  struct Case {
    const char* what;
    int id;
  } cases[] = {{"a real WAV", 1}, {"while that one plays", 1}, {"a missing file", 2},
                {"a name outside the ANSI code page", 3}, {"an id without a file", 9}};
  for (const Case& c : cases) {
    const ULONGLONG start = GetTickCount64();
    player.Play(c.id);
    EXPECT_LT(GetTickCount64() - start, 1500u) << c.what;
  }
}
