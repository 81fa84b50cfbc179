// Scene: base of the five scenes. The timeline draws the active scene each
// frame, stops the inactive ones, and stamps fade starts; a scene sets up its
// GL state lazily in start (run by its first draw) and undoes it in stop.
#pragma once

class Scene {
public:
    Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    virtual void draw(float time, int* frameCounter) = 0;
    virtual void start(float time, int* frameCounter) = 0;
    virtual void stop(float time, int* frameCounter) = 0;

    void setFadeStart(float time) { fadeStart = time; }

    float fadeStart = 0.0f;     // scene time of the last timeline event
    float fadeDuration = 0.8f;  // length of the fade, same units
    bool started = false;
    bool stopped = false;

protected:
    // Scenes live by value in the Demo and are never deleted through a Scene
    // pointer; each scene declares its own virtual destructor.
    ~Scene() = default;
};
