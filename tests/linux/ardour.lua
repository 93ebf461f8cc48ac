-- Vexatone in Ardour 7, headless (ardour7-lua with the dummy back end): a
-- track plays Ardour's own 1 kHz sine generator (SinGen, -18 dBFS) through
-- Vexatone with band 4 alone on, a bell at 1 kHz at the gain VEX_GAIN
-- (normalized); two seconds of the session are exported into the folder
-- VEX_EXPORT as VEX_NAME.wav. checks.sh ("ardour") runs it twice, at 0 dB
-- and at +12 dB, and measures the files. (Ardour 7.3 corrupts its heap when
-- one session exports twice, so each export has a session of its own.)
local folder = assert(os.getenv("VEX_EXPORT"), "VEX_EXPORT names no folder")
local name = assert(os.getenv("VEX_NAME"), "VEX_NAME names no file")
local gain = assert(tonumber(os.getenv("VEX_GAIN")), "VEX_GAIN is no number")
AudioEngine:set_backend("None (Dummy)", "", "")
local session = assert(create_session(folder .. "/" .. name, "vexatone", 48000), "no session")
local track = session:new_audio_track(2, 2, nil, 1, "Tone", ARDOUR.PresentationInfo.max_order,
  ARDOUR.TrackMode.Normal, true):front()
local tone = ARDOUR.LuaAPI.new_luaproc(session, "SinGen")
assert(not tone:isnil(), "no SinGen")
track:add_processor_by_index(tone, 0, nil, true)
local vex = ARDOUR.LuaAPI.new_plugin(session, "Vexatone", ARDOUR.PluginType.LXVST, "")
assert(not vex:isnil(), "Ardour lists no Vexatone (LXVST_PATH, and the scanner's cache?)")
assert(track:add_processor_by_index(vex, 1, nil, true) == 0, "Vexatone could not be added to the track")
print("added " .. vex:display_name() .. " to the track")

-- Normalized VST parameter values, by index (vsthost info lists them).
local insert = vex:to_insert()
local function set(index, value)
  assert(ARDOUR.LuaAPI.set_plugin_insert_param(insert, index, value), "cannot set parameter " .. index)
end
for _, on in ipairs({0, 5, 10, 20, 25, 30}) do set(on, 0) end -- every band but 4 off
set(15, 1)            -- 4 on
set(16, 0.5663233)    -- 4 f: 1 kHz, logarithmic from 20 Hz to 20 kHz
set(19, 0.5)          -- 4 type: bell
set(36, 1)            -- curve +-: 1
set(37, 0.75)         -- main vol: 0 dB
set(38, 0)            -- out mode: stereo

set(18, gain)         -- 4 g, linear from -36 to +36 dB

local export = session:simple_export()
export:set_name(name)
export:set_folder(folder)
export:set_range(0, 96000)
assert(export:set_preset("75969a1c-3133-4694-864b-a1fa50e43348"), "no WAV export preset")
assert(export:check_outputs(), "nothing to export")
assert(export:run_export(), "the export failed")
print("exported " .. name .. " with band 4's gain at " .. ARDOUR.LuaAPI.get_plugin_insert_param(insert, 18, true))

-- Ardour's objects go before the session does.
export = nil; insert = nil; vex = nil; tone = nil; track = nil
collectgarbage()
close_session()
