#!/usr/bin/env python3
"""Usage: tools/live-play.py LEVEL [--attempts N] [--out DIR] [--seed N]

Plays a stage as a new player would: the real game, paced, in a real window
(under xvfb-run), pressed with real keys (xdotool) while the script reads the
game's trace as it grows. It follows the stage's route
(content/routes/LEVEL.movie), but keys each press to where the hero is, not
to the route's step: a press made while walking comes where the route's hero
stood, a crack of the whip when the foe is as near as on the route, anything
else as long after the press before it as on the route. Each press comes a
reaction time after what it answers and is jittered; after a hit or a lost
life the player picks the route up again where the hero stands. For each
attempt it writes the trace, a recorded movie and a summary line (JSON) into
DIR (default /tmp/live-play) and prints the summary.
"""
import argparse
import json
import os
import random
import re
import subprocess
import sys
import time

STEP_S = 0.016  # 62.5 steps a second
REACTION = 3  # steps between seeing something and pressing for it
JITTER = 2  # steps either way around the right moment
FOES = {"walker", "flier", "thrower", "bone"}
REACH = 40  # px in front of the hero at which a walker is cracked whatever the route does
FOE_REACH = 200  # px: a foe farther than this is not what a press waits for
LATE = 120  # steps after which a press that waits for its cue comes anyway
WAIT = 8  # steps the route's hero stands still before a press that may wait for a foe
NUDGE = 30  # steps of waiting for a foe that does not come before stepping to the route's place
LONGER = 2000  # steps past the route's budget after which an attempt is given up
GROUNDED = ("stand", "walk")
KEYSYMS = {"left": "Left", "right": "Right", "up": "Up", "down": "Down", "x": "x", "z": "z"}
GAME = "build/duskhold"


def read_movie(path):
    """The route's events as (step, 'down'|'up', key), and its budget."""
    events, budget = [], None
    for line in open(path):
        found = re.match(r"#\s*budget:\s*(\d+)", line)
        if found:
            budget = int(found.group(1))
        words = line.split("#")[0].split()
        if len(words) == 3 and words[0].isdigit():
            events.append((int(words[0]), words[1], words[2]))
    return events, budget


def route_trace(level, movie, budget, out):
    """The route's hero and things step by step, from a quick replay."""
    path = os.path.join(out, level + ".route.jsonl")
    subprocess.run([GAME, "--level", level, "--replay", movie, "--fast", "--unseen", "--steps", str(budget),
                    "--trace", path], check=True, capture_output=True)
    return {line["step"]: line for line in map(json.loads, open(path))}


def foes_of(line):
    return [t for t in line.get("things", []) if t[0] in FOES]


def nearest(things, x, y, kind=None):
    fits = [t for t in things if kind is None or t[0] == kind]
    return min(fits, key=lambda t: (t[1] - x) ** 2 + (t[2] - y) ** 2, default=None)


def moving_foe(route, step, whip):
    """The nearest foe that moves at the step before a press, with where it
    stands from the hero and which way it goes, or None."""
    before, earlier = route[step - 1], route[step - 2]
    hx, hy = before["player"]
    for foe in sorted(foes_of(before), key=lambda t: (t[1] - hx) ** 2 + (t[2] - hy) ** 2):
        if (foe[1] - hx) ** 2 + (foe[2] - hy) ** 2 > FOE_REACH**2:
            break
        was = nearest(foes_of(earlier), foe[1], foe[2], foe[0])
        hero_was = earlier["player"]
        moved = [(foe[1] - hx) - (was[1] - hero_was[0]), (foe[2] - hy) - (was[2] - hero_was[1])] if was else [0, 0]
        axis = 0 if abs(moved[0]) >= abs(moved[1]) else 1
        if moved[axis]:
            return {"kind": foe[0], "rel": [foe[1] - hx, foe[2] - hy], "axis": axis, "sign": moved[axis] > 0,
                    "whip": whip}
    return None


def plan(events, route):
    """Groups of the route's same-step events, each with the cue it waits for."""
    groups = []
    for step, how, key in events:
        if groups and groups[-1]["step"] == step:
            groups[-1]["keys"].append((how, key))
        else:
            groups.append({"step": step, "keys": [(how, key)]})
    for i, group in enumerate(groups):
        step = group["step"]
        x1, x2 = route[step - 1]["player"][0], route[step - 2]["player"][0]
        waited = all(route[step - k]["player"] == route[step - 1]["player"] for k in range(1, WAIT + 1))
        whip = ("down", "z") in group["keys"]
        release = all(how == "up" and key in ("x", "z") for how, key in group["keys"])
        # A press other than the whip waits for a foe only where the route's
        # hero stopped to wait, not where he stands out a crack of the whip.
        waits = waited and i > 0 and all(how == "up" and key in ("left", "right") for how, key in groups[i - 1]["keys"])
        foe = moving_foe(route, step, whip) if (whip or waits) and not release else None
        group["after"] = i - 1
        if release:
            down = max(j for j in range(i) if any(k == group["keys"][0][1] and h == "down" for h, k in groups[j]["keys"]))
            group.update(cue="time", after=down)
        elif foe:
            group.update(cue="foe", foe=foe)
        elif x1 != x2:
            group.update(cue="place", x=x1, v=x1 - x2)
        else:
            group.update(cue="time")
    return groups


def soonest(n, earliest, ahead):
    """The step a press should land on, seen at step n when its moment is
    ahead steps away, but not before the player can answer."""
    return earliest if ahead <= 0 else max(earliest, n + 1 + round(ahead))


class Live:
    """The paced game in its window, its trace as it grows, and the keys."""

    def __init__(self, level, trace, record):
        open(trace, "w").close()
        args = [GAME, "--level", level, "--trace", trace, "--record", record]
        env = dict(os.environ, SDL12COMPAT_OPENGL_SCALING="0")
        self.game = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.file = open(trace)
        self.partial = ""
        self.lines = {}
        self.seen = []  # (step, wall time it was read)
        self.held = set()

    def poll(self):
        """The trace lines written since the last poll."""
        text = self.partial + self.file.read()
        lines = text.split("\n")
        self.partial = lines.pop()
        now = time.monotonic()
        fresh = [json.loads(line) for line in lines if line]
        for line in fresh:
            self.lines[line["step"]] = line
            self.seen.append((line["step"], now))
        return fresh

    def wall(self, step):
        """When the line of a step is (or was) written, from the latest lines
        and the pace the game keeps (a busy machine may slow it)."""
        (first, began), (last, now) = self.seen[max(0, len(self.seen) - 120)], self.seen[-1]
        pace = (now - began) / (last - first) if last - first >= 30 else STEP_S
        return min(t - s * pace for s, t in self.seen[-8:]) + step * pace

    def press(self, keys):
        words = []
        for how, key in keys:
            words += ["key" + how, KEYSYMS[key]]
            (self.held.add if how == "down" else self.held.discard)(key)
        subprocess.Popen(["xdotool"] + words)

    def release_all(self):
        if self.held:
            self.press([("up", key) for key in sorted(self.held)])

    def close(self):
        self.release_all()
        self.game.terminate()
        self.game.wait()


class Player:
    """Follows the route's groups of presses on the live game."""

    def __init__(self, groups, route, live, rng):
        self.groups, self.route, self.live, self.rng = groups, route, live, rng
        self.next = 0
        self.fired = {}  # group index -> live step it was meant to land on
        self.since = 0  # live step from which the pending group may be answered
        self.due = None  # (wall time, live step) of a press on its way
        self.presses = []  # route step, live step meant
        self.pickups = []  # live step, route step it went on from
        self.steps_to_take = []  # (wall time, keys) of a few steps to the route's place
        self.sent = 0.0  # wall time of the last press
        self.stepped = set()  # groups before which the hero stepped to the route's place
        self.cracked = -REACH  # live step of the last crack at a walker the route did not plan

    def landing(self, n):
        """The live step the pending group should land on, seen at step n, or
        None while its cue is still to come."""
        group, line = self.groups[self.next], self.live.lines[n]
        earliest = max(n, self.since) + REACTION
        after = self.fired.get(group["after"], self.since) + group["step"] - self.groups[group["after"]]["step"]
        if group["after"] < 0:
            after = group["step"]
        if group["cue"] == "time":
            return max(after, self.since)
        if group["cue"] == "foe":
            return self.foe_landing(group["foe"], n, earliest, after)
        if n > after + LATE:
            return earliest
        return soonest(n, earliest, (group["x"] - line["player"][0]) / group["v"])

    def foe_landing(self, foe, n, earliest, after):
        line, was = self.live.lines[n], self.live.lines.get(n - 1)
        hx, hy = line["player"]
        axis = foe["axis"]
        thing = nearest(foes_of(line), hx + foe["rel"][0], hy + foe["rel"][1], foe["kind"])
        if not thing or (thing[1] - hx - foe["rel"][0]) ** 2 + (thing[2] - hy - foe["rel"][1]) ** 2 > FOE_REACH**2:
            return max(after, earliest)  # it is gone: the press comes on time
        if not was or not was.get("player"):
            return None
        before = nearest(foes_of(was), thing[1], thing[2], foe["kind"])
        rel = thing[1 + axis] - line["player"][axis]
        rel_was = before[1 + axis] - was["player"][axis] if before else rel
        if foe["whip"]:  # cracked once it is as near as on the route
            if abs(rel) <= abs(foe["rel"][axis]):
                return earliest
            closing = abs(rel_was) - abs(rel)
            if closing > 0:
                return soonest(n, earliest, (abs(rel) - abs(foe["rel"][axis])) / closing)
        elif rel != rel_was and (rel > rel_was) == foe["sign"]:
            return soonest(n, earliest, (foe["rel"][axis] - rel) / (rel - rel_was))
        if n > after + NUDGE:
            self.step_to_place(n)
        return earliest if n > after + LATE else None

    def step_to_place(self, n):
        """Walks the few pixels to where the route's hero waits, once: a foe
        that wakes as he comes near may not have seen him yet."""
        if self.next not in self.stepped and not self.live.held:
            self.stepped.add(self.next)
            self.walk_to(self.route[self.groups[self.next]["step"] - 1]["player"][0], n)

    def walk_to(self, x, n):
        """Walks to x, in steps of 2 px; the steps the walk takes."""
        gap = x - self.live.lines[n]["player"][0]
        if abs(gap) < 2:
            return 0
        key = "right" if gap > 0 else "left"
        start = time.monotonic() + REACTION * STEP_S
        self.steps_to_take = [(start, [("down", key)]), (start + (abs(gap) / 2 - 0.5) * STEP_S, [("up", key)])]
        return REACTION + round(abs(gap) / 2)

    def lost(self, n):
        """Whether the hero stands on other ground than the route's hero did
        where the pending press waits for him: a jump fell short."""
        group, line = self.groups[self.next], self.live.lines[n]
        there = self.route[group["step"] - 1]
        return (group["cue"] == "place" and line["hero"]["state"] in GROUNDED and there["hero"]["state"] in GROUNDED
                and abs(line["player"][0] - group["x"]) <= 8 and abs(line["player"][1] - there["player"][1]) > 24)

    def crack_if_near(self, n):
        """A walker that comes within reach of the whip in front of the hero
        is cracked, as anyone would, route or not."""
        line = self.live.lines[n]
        if line["hero"]["state"] not in GROUNDED or self.steps_to_take or "z" in self.live.held or n < self.cracked + 40:
            return
        hx, hy = line["player"]
        facing = 1 if line["hero"]["facing"] == "right" else -1
        if any(kind == "walker" and 0 < (x - hx) * facing <= REACH and abs(y - hy) < 40 for kind, x, y in foes_of(line)):
            self.cracked = n
            start = time.monotonic() + REACTION * STEP_S
            self.steps_to_take = [(start, [("down", "z")]), (start + 3 * STEP_S, [("up", "z")])]

    def on_line(self, n):
        self.crack_if_near(n)
        if self.due is None and self.next < len(self.groups) and not self.steps_to_take:
            if self.lost(n):
                self.pickups.append([n, self.pick_up(n)])
                return
            land = self.landing(n)
            if land is not None and land <= n + REACTION + 1:  # pressed when its moment nears
                jitter = self.rng.uniform(-JITTER, JITTER) * STEP_S
                # Presses keep their order, two steps and a half apart at
                # least: a key let go and pressed again must be seen up.
                wall = max(self.live.wall(land - 1) + 0.004 + jitter, self.sent + 2.5 * STEP_S)
                self.due = (wall, land)

    def on_clock(self):
        while self.steps_to_take and time.monotonic() >= self.steps_to_take[0][0]:
            self.live.press(self.steps_to_take.pop(0)[1])
        if self.due and time.monotonic() >= self.due[0]:
            self.live.press(self.groups[self.next]["keys"])
            self.sent = time.monotonic()
            self.fired[self.next] = self.due[1]
            self.presses.append([self.groups[self.next]["step"], self.due[1]])
            self.next += 1
            self.due = None

    def pick_up(self, n):
        """After a hit or a lost life: on from the route's step nearest to
        where the hero stands, holding what the route holds there."""
        self.live.release_all()
        hx, hy = self.live.lines[n]["player"]
        reached = self.groups[max(self.next - 1, 0)]["step"]
        steps = [s for s in self.route if s <= reached + 60 and self.route[s].get("hero", {}).get("state") in GROUNDED]
        best = min(steps, key=lambda s: (abs(self.route[s]["player"][0] - hx) + abs(self.route[s]["player"][1] - hy), -s))
        held = set()
        for i, group in enumerate(self.groups):
            if group["step"] > best:
                break
            for how, key in group["keys"]:
                (held.add if how == "down" else held.discard)(key)
            self.next = i + 1
        directions = sorted(held - {"x", "z"})
        walk = 0
        if directions:
            self.live.press([("down", key) for key in directions])
        else:
            walk = self.walk_to(self.route[best]["player"][0], n)
        self.since = n + REACTION + walk
        self.fired[self.next - 1] = self.since - (best - self.groups[self.next - 1]["step"]) if self.next else 0
        self.due = None
        return best


def attempt(level, groups, route, budget, out, number, rng):
    base = os.path.join(out, "%s-%d" % (level, number))
    live = Live(level, base + ".jsonl", base + ".movie")
    player = Player(groups, route, live, rng)
    result = {"level": level, "attempt": number, "cleared": False, "hits": [], "livesLost": 0}
    hearts = lives = None
    hurt = over = False
    try:
        while (not live.seen or live.seen[-1][0] < budget + LONGER) and live.game.poll() is None:
            for line in live.poll():
                n, hero = line["step"], line.get("hero")
                if line.get("hit"):
                    result["hits"].append(dict(line["hit"], step=n))
                if "clear" in line:
                    result.update(cleared=True, step=line["tally"]["steps"] if "tally" in line else n)
                over = over or line["state"] == "gameover"
                if not hero or not line.get("player"):
                    continue
                if lives is not None and (hero["hearts"] < hearts or hero["lives"] < lives):
                    result["livesLost"] += hero["lives"] < lives
                    hurt = True
                hearts, lives = hero["hearts"], hero["lives"]
                if hurt and hero["state"] in GROUNDED:
                    player.pickups.append([n, player.pick_up(n)])
                    hurt = False
                player.on_line(n)
            if result["cleared"] or over:
                break
            player.on_clock()
            time.sleep(0.001)
    finally:
        live.close()
    paced = live.seen[len(live.seen) // 10 :]  # past the stage's loading
    if len(paced) > 1:
        result["msPerStep"] = round(1000 * (paced[-1][1] - paced[0][1]) / (paced[-1][0] - paced[0][0]), 2)
    result["lastStep"] = live.seen[-1][0] if live.seen else 0
    result.update(presses=player.presses, pickups=player.pickups)
    result["heartsLost"] = len(result["hits"])
    with open(base + ".result.json", "w") as summary:
        json.dump(result, summary)
    print(json.dumps(result), flush=True)
    return result


def main():
    if not os.environ.get("DISPLAY"):
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", sys.executable] + sys.argv)
    parser = argparse.ArgumentParser(description="Play a stage live, keyed to the hero's place on its route.")
    parser.add_argument("level")
    parser.add_argument("--attempts", type=int, default=3)
    parser.add_argument("--out", default="/tmp/live-play")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    events, budget = read_movie("content/routes/%s.movie" % args.level)
    route = route_trace(args.level, "content/routes/%s.movie" % args.level, budget, args.out)
    groups = plan(events, route)
    rng = random.Random(args.seed)
    for number in range(1, args.attempts + 1):
        attempt(args.level, groups, route, budget, args.out, number, rng)


if __name__ == "__main__":
    main()
