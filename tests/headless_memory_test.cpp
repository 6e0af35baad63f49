// A headless run's memory stays bounded however many frames it draws without reading back.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

// Peak resident kilobytes of quorl-runner playing `frames` frames of the intro in `folder`.
long peakKilobytes(const fs::path& folder, int frames) {
    const std::string line = "cd '" + folder.string() + "' && exec '" + QUORL_RUNNER +
                             "' --frames " + std::to_string(frames) + " > /dev/null";
    const pid_t runner = fork();
    if (runner == 0) {
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(runner, &status, 0, &usage);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << frames << " frames";
    return usage.ru_maxrss;
}

}  // namespace

// The intro reads nothing back from GL, so only the swap can keep the driver from queueing
// frame after frame.
TEST(HeadlessMemory, ThousandsOfIntroFramesNeedNoMoreThanAHundred) {
    const fs::path folder = makeScratchFolder("quorl-memory");
    linkImages(folder);
    writeConfig(matchSettings(), folder);
    const long few = peakKilobytes(folder, 100);
    const long many = peakKilobytes(folder, 3000);
    std::printf("peak resident memory: 100 frames %ld KB, 3000 frames %ld KB\n", few, many);
    EXPECT_LT(many - few, 50 * 1024);
    fs::remove_all(folder);
}
