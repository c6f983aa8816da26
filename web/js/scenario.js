// The simulator's scenarios (.scn) on the page: a scenario's start loaded as
// a situation or, with its focus vessel's recording among the files chosen,
// its flight played from that start. The recording is found as the host
// finds it: Flights/DIR/NAME.atc in the simulator's folder (the one above
// the Scenarios folder that holds the scenario) when a folder is chosen, the
// file NAME.atc chosen with the scenario otherwise; names compare as the
// host's file system compares them, case-insensitively.
const Scenarios = (() => {
  const $ = (id) => document.getElementById(id);
  let folder = [];  // the files of the simulator's folder chosen
  const isScenario = (file) => /\.scn$/i.test(file.name);
  const same = (a, b) => a.toLowerCase() === b.toLowerCase();

  // The path of the simulator's folder that holds a file chosen in a folder
  // ('' for the folder chosen itself), or null outside a Scenarios folder.
  function root(file) {
    const parts = file.webkitRelativePath.split('/');
    const at = parts.slice(0, -1).findLastIndex((p) => same(p, 'scenarios'));
    return at < 0 ? null : parts.slice(0, at).join('/');
  }

  function recordingOf(scenario, files, path) {
    const base = scenario.webkitRelativePath ? root(scenario) : null;
    if (base === null) return files.find((f) => same(f.name, path.split('/').pop()));
    return files.find((f) => same(f.webkitRelativePath, base ? `${base}/${path}` : path));
  }

  // Reads the scenario and opens its start, or plays its flight from there;
  // a refusal is shown as the host gives it, "FILE:LINE: why".
  async function start(scenario, files) {
    const read = await Session.scenario(await scenario.text(), scenario.name);
    if (!read.ok) {
      Output.messages(read.messages);
      return;
    }
    const situation = JSON.stringify(read.situation);
    const recording = read.recording && recordingOf(scenario, files, read.recording);
    const called = recording ? `${scenario.name}, ${recording.name}` : scenario.name;
    const result = recording ? await Timeline.loadFile(recording, situation, called) : await Page.load(situation, called);
    const missing = read.recording && !recording
      ? [`${scenario.name}: its recording, ${read.recording}, is not among the files chosen: the start is shown`] : [];
    if (result.ok) Output.messages([...result.messages.map((m) => `${called}: ${m}`), ...read.notes, ...missing]);
  }

  // The first scenario among the files chosen, opened with them; false when there is none.
  function open(files) {
    const scenario = files.find(isScenario);
    if (scenario) start(scenario, files);
    return Boolean(scenario);
  }

  // A simulator's folder: its scenarios listed by their path under Scenarios, each opened when chosen.
  function wire() {
    const input = $('orbiter-folder'), list = $('scenario-list');
    input.addEventListener('change', () => {
      folder = [...input.files];
      input.value = '';
      const scenarios = folder.filter((f) => isScenario(f) && root(f) !== null)
        .map((f) => [f.webkitRelativePath.slice(root(f).length).replace(/^\/?[^/]+\//, '').slice(0, -4), f])
        .sort(([a], [b]) => a.localeCompare(b));
      list.replaceChildren(new Option(scenarios.length ? '—' : 'none in its Scenarios folder', ''),
                           ...scenarios.map(([name, f]) => new Option(name, f.webkitRelativePath)));
      list.disabled = !scenarios.length;
    });
    list.addEventListener('change', () => {
      const scenario = folder.find((f) => f.webkitRelativePath === list.value);
      if (scenario) start(scenario, folder);
    });
  }

  return { wire, open };
})();
