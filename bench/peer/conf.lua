-- The peer needs a window and graphics only; no audio device is opened.
function love.conf(t)
    t.window.width = 1280
    t.window.height = 720
    t.window.vsync = 0
    t.window.title = "Kesto peer: sprite throughput"
    t.modules.audio = false
    t.modules.sound = false
    t.modules.joystick = false
    t.modules.physics = false
    t.modules.video = false
end
