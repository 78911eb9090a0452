// One copy at a time: while this process holds the name, a second start in another process
// asks it forward and ends, and the request arrives here as the raise event.
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "game/platform/sdl/sdl_state.h"
#include "game/platform/sdl/single_instance.h"

TEST(SingleInstance, ASecondStartAsksTheFirstForwardAndEnds) {
    setenv("XDG_RUNTIME_DIR", ("/nonexistent-" + std::to_string(getpid())).c_str(), 1);  // a name of its own
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    ASSERT_TRUE(claimSingleInstance());
    startRaiseWatcher();
    const pid_t second = fork();
    if (second == 0) _exit(claimSingleInstance() ? 1 : 0);
    int status = -1;
    ASSERT_EQ(waitpid(second, &status, 0), second);
    EXPECT_EQ(status, 0);
    SDL_Event event{};
    EXPECT_TRUE(SDL_WaitEventTimeout(&event, 5000) == 1 && event.type == raiseRequestEvent);
    SDL_Quit();
}
