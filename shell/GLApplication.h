// GLApplication: what the window procedure and the message loop need from the
// application object (Demo implements it through GLWindow).
#pragma once

class GLApplication {
public:
    virtual ~GLApplication() = default;
    virtual void shutdownGL() = 0;
    virtual void initGL() = 0;
    virtual bool renderFrame() = 0;  // true when the demo is over
    virtual void resize(int width, int height) = 0;
};
