// Stand-ins for the five scenes, compiled into a separate copy of the
// timeline so a test sees exactly which scene operations a frame makes, in
// which order, with which time and counter arguments.
#pragma once

#include <string>
#include <vector>

#include "demo/Scene.h"

struct SceneCall {
    std::string name;        // "intro.draw", "torus.wobble", "present", ...
    float time = 0.0f;
    int* counter = nullptr;  // draw/stop's frameCounter argument
    int detail = 0;          // a flag the scene saw at that moment
};

inline std::vector<SceneCall>& sceneCalls() {
    static std::vector<SceneCall> calls;
    return calls;
}

inline void logSceneCall(std::string name, float time = 0.0f, int* counter = nullptr,
                         int detail = 0) {
    sceneCalls().push_back({std::move(name), time, counter, detail});
}

class FakeScene : public Scene {
public:
    explicit FakeScene(std::string sceneName) : sceneName(std::move(sceneName)) {}
    virtual ~FakeScene() = default;

    void draw(float time, int* frameCounter) override {
        logSceneCall(sceneName + ".draw", time, frameCounter, drawDetail());
    }
    void start(float time, int* frameCounter) override {
        logSceneCall(sceneName + ".start", time, frameCounter);
    }
    void stop(float time, int* frameCounter) override {
        logSceneCall(sceneName + ".stop", time, frameCounter);
    }
    // Hides Scene::setFadeStart so the stamp shows up in the log.
    void setFadeStart(float time) {
        logSceneCall(sceneName + ".fade", time);
        Scene::setFadeStart(time);
    }

protected:
    virtual int drawDetail() const { return 0; }

private:
    std::string sceneName;
};
