#!/usr/bin/env python3
"""Writes the fuzz seeds that no content file is on its own: a level with one entity per component type (each
overriding that component with its archetype's own keys, so every component reader sees real data), every trigger
object of the game's archetypes and levels, and a settings file. Output: fuzz/seeds/."""
import json
import pathlib

root = pathlib.Path(__file__).resolve().parent.parent
data = root / "Assets" / "Data"
seeds = root / "fuzz" / "seeds"


class Members(list):
    """A JSON object's members in file order, keys repeated as written."""


def pairs(path):
    return json.loads(path.read_text(), object_pairs_hook=Members)


def dump_pairs(members):
    def value(v):
        if isinstance(v, Members):
            return "{" + ", ".join(json.dumps(k) + ": " + value(x) for k, x in v) + "}"
        if isinstance(v, list):
            return "[" + ", ".join(value(x) for x in v) + "]"
        if isinstance(v, float):
            return repr(v)
        return json.dumps(v)
    return value(members)


def main():
    by_component = {}
    triggers = []
    for path in sorted((data / "Archetypes").glob("*.json")):
        for key, component in pairs(path):
            by_component.setdefault(key, (path.stem, component))
            if key == "Trigger":
                triggers.append(component)
    for path in sorted((data / "Levels").glob("*.json")):
        for key, entity in pairs(path):
            if key == "Archetype":
                triggers.extend(v for k, v in entity if k == "Trigger")
    entities = [("Archetype", Members([("Name", name), (component, keys)])) for component, (name, keys) in
                sorted(by_component.items())]
    (seeds / "level").mkdir(parents=True, exist_ok=True)
    (seeds / "level" / "EveryComponent.json").write_text(dump_pairs(Members(entities)) + "\n")
    (seeds / "trigger").mkdir(parents=True, exist_ok=True)
    seen = set()
    for trigger in triggers:
        text = dump_pairs(trigger)
        if text not in seen:
            seen.add(text)
            (seeds / "trigger" / f"Trigger{len(seen):02}.json").write_text(text + "\n")
    (seeds / "settings").mkdir(parents=True, exist_ok=True)
    (seeds / "settings" / "settings.json").write_text(json.dumps(
        {"masterVolume": 0.8, "musicVolume": 0.5, "effectsVolume": 1.0, "masterMuted": False, "musicMuted": True,
         "effectsMuted": False, "fullscreen": False}, indent=4) + "\n")


main()
