-- The sprite-throughput scene of kesto_frame_bench ("sprites", "lit sprites"), drawn with LÖVE 11.4, to compare
-- the engine with a peer on the same machine. It finds the largest number of sprites that still holds 60 fps.
--
--   love bench/peer <lit|unlit> [search|N,N,...] [frames per measurement] [path of Orb.png]
--
-- "search" (the default) finds the largest count that holds 60 fps; a list of counts measures each instead. The
-- lines printed match kesto_frame_bench's, so bench/peer/compare.py can read both.
--
-- The scene must stay the same as the engine's (bench/SpriteScene.cpp): N sprites of one 32 x 32 texture (a ball
-- with transparent corners and a soft edge, from tools/make_bench_art.py), drawn at 1:1 with alpha blending, each
-- moving at a constant velocity and bouncing off the window's edges, in a 1280 x 720 window; "lit" adds four point
-- lights on a shader that lights every pixel with all four.

local width, height = 1280, 720
local side = 32
local step = 1 / 60 -- sprites move by a fixed step per frame, whatever the frame takes
local budget = 1000 / 60

-- Matches the engine scene: ambient light and four lights at the centres of the window's quarters.
local ambient = { 0.35, 0.35, 0.4 }
local lightRadius = 480
local lights = {
    { x = 320, y = 180, color = { 1.0, 0.85, 0.6 } },
    { x = 960, y = 180, color = { 0.6, 0.8, 1.0 } },
    { x = 320, y = 540, color = { 1.0, 0.6, 0.6 } },
    { x = 960, y = 540, color = { 0.7, 1.0, 0.7 } },
}

local lightShaderCode = [[
extern vec3 ambient;
extern vec2 lightPosition[4];
extern vec3 lightColor[4];
extern vec2 lightFalloff[4]; // linear and quadratic terms; the constant term is 1
vec4 effect(vec4 color, Image tex, vec2 uv, vec2 pixel)
{
    vec4 albedo = Texel(tex, uv) * color;
    vec3 light = ambient;
    for (int i = 0; i < 4; ++i)
    {
        float d = distance(lightPosition[i], pixel);
        light += lightColor[i] / (1.0 + d * (lightFalloff[i].x + lightFalloff[i].y * d));
    }
    return vec4(albedo.rgb * light, albedo.a);
}
]]

local image
local shader
local xs, ys, vxs, vys = {}, {}, {}, {}
local count = 0
local random = love.math.newRandomGenerator(7)

local function loadImage(path)
    local file = assert(io.open(path, "rb"), "cannot open " .. path)
    local bytes = file:read("*a")
    file:close()
    return love.graphics.newImage(love.filesystem.newFileData(bytes, "Orb.png"))
end

local function resize(n)
    for i = count + 1, n do
        xs[i] = random:random() * (width - side)
        ys[i] = random:random() * (height - side)
        vxs[i] = random:random() * 120 - 60
        vys[i] = random:random() * 120 - 60
    end
    count = n
end

local function move()
    for i = 1, count do
        local x, y = xs[i] + vxs[i] * step, ys[i] + vys[i] * step
        if x < 0 or x > width - side then
            vxs[i] = -vxs[i]
        end
        if y < 0 or y > height - side then
            vys[i] = -vys[i]
        end
        xs[i], ys[i] = x, y
    end
end

local function frame()
    love.event.pump()
    move()
    love.graphics.origin()
    love.graphics.clear(0, 0, 0, 1)
    love.graphics.setShader(shader)
    for i = 1, count do
        love.graphics.draw(image, xs[i], ys[i])
    end
    love.graphics.setShader()
    love.graphics.present()
end

-- Mean wall time of a frame in milliseconds with n sprites, after a few frames to settle.
local function measure(n, frames)
    resize(n)
    for _ = 1, 10 do
        frame()
    end
    local start = love.timer.getTime()
    for _ = 1, frames do
        frame()
    end
    return (love.timer.getTime() - start) * 1000 / frames
end

-- The same search as the engine's harness: frame time grows about linearly with the count, so each step moves
-- the count to where the line through the empty frame and the last measurement crosses the budget.
local function largestCountAt60(frames)
    local base = measure(0, frames)
    local n = 1000
    local t = base
    for _ = 1, 5 do
        t = measure(n, frames)
        if os.getenv("KESTO_PEER_TRACE") then
            print(string.format("  %d sprites: %.2f ms", n, t))
        end
        local next = n * (budget - base) / math.max(t - base, 1e-3)
        n = math.floor(math.max(n / 2, math.min(n * 2, next)) + 0.5)
    end
    t = measure(n, frames)
    return n, t, base
end

-- Mean and 95th-percentile wall time of a frame in milliseconds with n sprites, after a few frames to settle.
local function measureWithP95(n, frames)
    resize(n)
    for _ = 1, 10 do
        frame()
    end
    local times = {}
    local total = 0
    for i = 1, frames do
        local start = love.timer.getTime()
        frame()
        times[i] = (love.timer.getTime() - start) * 1000
        total = total + times[i]
    end
    table.sort(times)
    return total / frames, times[math.floor(0.95 * (frames - 1)) + 1]
end

function love.run()
    return function()
        local mode = arg[2] or "unlit"
        local what = arg[3] or "search"
        local frames = tonumber(arg[4] or "60")
        image = loadImage(arg[5] or "bench/data/graphics/Orb.png")
        if mode == "lit" then
            shader = love.graphics.newShader(lightShaderCode)
            local positions, colors, falloffs = {}, {}, {}
            for i, light in ipairs(lights) do
                positions[i] = { light.x, light.y }
                colors[i] = light.color
                falloffs[i] = { 4.5 / lightRadius, 80 / (lightRadius * lightRadius) }
            end
            shader:send("ambient", ambient)
            shader:send("lightPosition", unpack(positions))
            shader:send("lightColor", unpack(colors))
            shader:send("lightFalloff", unpack(falloffs))
        end
        if what == "search" then
            local n, t, base = largestCountAt60(frames)
            print(string.format("love %s: %d sprites at 60 fps (%.2f ms per frame there, %.2f ms empty)", mode, n, t,
                base))
        else
            for count in string.gmatch(what, "%d+") do
                local mean, p95 = measureWithP95(tonumber(count), frames)
                print(string.format("%-28s mean %7.2f ms   p95 %7.2f ms", "love " .. mode .. " " .. count .. " sprites",
                    mean, p95))
            end
        end
        return 0
    end
end
