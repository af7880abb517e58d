// The calculation core in the browser: the WebAssembly module (web/bridge.cpp) behind plain JavaScript functions.
// Numbers go in and out as JavaScript numbers: singles enter the module as f32, so a number that is not a single
// is rounded to the nearest one on the way in (as Math.fround does), and every single that comes out is exact.
// Texts go in as strings or as their UTF-8 bytes (a Uint8Array, passed on untouched).
//
// The page inlines this module; Node imports it for the API and differential tests.

export async function kelvaroCore(moduleBytes) {
  const { instance } = await WebAssembly.instantiate(moduleBytes, {});
  const m = instance.exports;
  m._initialize();
  const encoder = new TextEncoder();
  const decoder = new TextDecoder('utf-8');

  function putText(index, text) {
    const bytes = text instanceof Uint8Array ? text : encoder.encode(String(text));
    const at = m.kelvaro_text(index, bytes.length);
    if (at === 0) throw new RangeError('a call takes at most 11 texts');
    new Uint8Array(m.memory.buffer, at, bytes.length).set(bytes);  // the view after the call: memory may grow
  }
  function getText(at, size) {
    return decoder.decode(new Uint8Array(m.memory.buffer, at, size));
  }
  // One character, as the core takes a decimal separator.
  function separator(sep) {
    const chars = [...String(sep)];
    if (chars.length !== 1) throw new TypeError('sep must be one character, not ' + JSON.stringify(sep));
    return chars[0].codePointAt(0);
  }

  // The last call's answer: JSON with the core's member names. Every number in it is written so that it reads back
  // as the same double, and a single is exactly a double.
  function answer() {
    return JSON.parse(getText(m.kelvaro_answer(), m.kelvaro_answer_size()));
  }
  // A failure names its kind and the input it blames; the page also needs to know whether a divisor was zero.
  function result(withDivisor = false) {
    const out = answer();
    if (!('failure' in out)) return out;
    const failure = { failure: out.failure, input: out.input };
    if (withDivisor) failure.zeroDivisor = out.zeroDivisor;
    return failure;
  }
  function text() {
    return answer().text;
  }
  // The inputs by the symbols the windows show ("αH"); a calculation from texts takes input i's text as text i.
  m.kelvaro_symbols();
  const symbols = answer();
  function putFields(fields) {
    symbols.forEach((symbol, i) => putText(i, fields[symbol] ?? ''));
  }

  // Calculation files (web/bridge_files.cpp): their texts go into numbered slots, their answers come apart.
  const fileSlot = {
    content: 0, name: 1, date: 2, firstInput: 3, firstResult: 3 + symbols.length,
    firstArrangement: m.kelvaro_file_first_arrangement(),
  };
  function putFileText(slot, text) {
    const bytes = text instanceof Uint8Array ? text : encoder.encode(String(text));
    const at = m.kelvaro_file_text(slot, bytes.length);
    if (at === 0) return false;
    new Uint8Array(m.memory.buffer, at, bytes.length).set(bytes);
    return true;
  }
  function fileAnswer() {
    return JSON.parse(getText(m.kelvaro_file_answer(), m.kelvaro_file_answer_size()));
  }
  // The several-cranes calculation has texts, numbers and an answer of its own (web/crane_bridge.cpp).
  function craneAnswer() {
    return JSON.parse(getText(m.kelvaro_crane_answer(), m.kelvaro_crane_answer_size()));
  }
  m.kelvaro_crane_layout();
  const craneLayout = craneAnswer();
  function putCraneText(index, text) {
    const bytes = encoder.encode(String(text ?? ''));
    const at = m.kelvaro_crane_text(index, bytes.length);
    if (at === 0) throw new RangeError(`no crane text ${index}`);
    new Uint8Array(m.memory.buffer, at, bytes.length).set(bytes);
  }
  const orders = { free: 0, entered: 1 };
  const given = (v) => (v === undefined || v === null ? NaN : Number(v));

  return Object.freeze({
    // The API the issue names.
    parseFieldValue(text, sep) {
      putText(0, text);
      m.kelvaro_parse_field_value(separator(sep));
      return result();
    },
    parseFieldDouble(text, sep) {
      putText(0, text);
      m.kelvaro_parse_field_double(separator(sep));
      return result();
    },
    formatResult(value, sep) {
      m.kelvaro_format_result(value, separator(sep));
      return text();
    },
    computeOrdinates(J, B, W) {
      m.kelvaro_compute_ordinates(J, B, W);
      return result();
    },
    computeOrdinatesFromText(Jtext, sep, B, W) {
      putText(0, Jtext);
      m.kelvaro_compute_ordinates_from_text(separator(sep), B, W);
      return result();
    },
    computeVerticalLoads(Z, J, B, W, Pmax, Pmin) {
      m.kelvaro_compute_vertical_loads(Z, J, B, W, Pmax, Pmin);
      return result();
    },
    computeMinWheelPressure(Pmax, G, Q, Ntext, sep) {
      putText(0, Ntext);
      m.kelvaro_compute_min_wheel_pressure(Pmax, G, Q, separator(sep));
      return result();
    },
    computeHorizontalLoads(G1, Q, AlphaH, Z, N, Jtext, sep, B, W) {
      putText(0, Jtext);
      m.kelvaro_compute_horizontal_loads(G1, Q, AlphaH, Z, N, separator(sep), B, W);
      return result();
    },

    // What the windows use: the calculations from their fields' texts, keyed by the inputs' symbols
    // ({ Pmax: '100', 'αH': '0.12', ... }; a missing one counts as empty), and the words of a failure.
    symbols,
    computeVerticalLoadsFromTexts(fields, sep) {
      putFields(fields);
      m.kelvaro_vertical_loads_from_texts(separator(sep));
      return result(true);
    },
    computeMinWheelPressureFromTexts(fields, sep) {
      putFields(fields);
      m.kelvaro_min_wheel_pressure_from_texts(separator(sep));
      return result(true);
    },
    computeHorizontalLoadsFromTexts(fields, sep) {
      putFields(fields);
      m.kelvaro_horizontal_loads_from_texts(separator(sep));
      return result(true);
    },
    failureTitle() {
      m.kelvaro_failure_title();
      return text();
    },
    /**
     * A window's Calculate, in one call: `texts` by the core's input ids (a missing one is empty), the calculation
     * and the check order from the window's description. Gives { results: [{ id, value, text, note }] in result
     * order, working, ordinates } or, refused, { message, empty: [input ids], input: id or null, failure }.
     */
    /**
     * The several-cranes window's Calculate in one call: `own` its texts in the order of the core's
     * ArrangementTextNames, `cranes` one array of texts per row in the order of CraneTextNames. Gives the answer
     * with every text written, or { failure, input: { crane, field, index, name }, message }. With `withSheet`
     * (Ctrl+P) a success also has its sheet as `sheet`: { title, sections, figure, pages }.
     */
    craneArrangement(own, cranes, sep, withSheet = false) {
      if (cranes.length > craneLayout.maxCranes) throw new RangeError(`at most ${craneLayout.maxCranes} cranes`);
      own.forEach((text, i) => putCraneText(i, text));
      cranes.forEach((row, c) => row.forEach((text, f) => putCraneText(craneLayout.ownTexts + c * craneLayout.craneTexts + f, text)));
      (withSheet ? m.kelvaro_crane_sheet : m.kelvaro_crane_arrangement)(cranes.length, separator(sep ?? '.'));
      return craneAnswer();
    },
    /** Several cranes from numbers: { Dmax, Dmin, Z, cranesCounted, order, criticalWheel, wheels, H1, longitudinal }. */
    computeCraneArrangement({ J1, J2, cranes = [], order = 'free', maxOnRail = 2, otherSpanCranes = 0 }) {
      if (!(order in orders)) throw new TypeError(`order must be 'free' or 'entered', not ${JSON.stringify(order)}`);
      if (cranes.length > craneLayout.maxCranes) throw new RangeError(`at most ${craneLayout.maxCranes} cranes`);
      const block = [given(J1), given(J2), orders[order], given(maxOnRail), given(otherSpanCranes), cranes.length];
      for (const c of cranes) {
        const s = Array.isArray(c.spacings) ? c.spacings : [];
        block.push(given(c.Pmax), given(c.Pmin), given(c.B), s.length, given(s[0]), given(s[1]), given(s[2]),
          given(c.endDistance), c.heavyDuty ? 1 : 0, given(c.alphaH), given(c.Q), given(c.Q1), given(c.brakingWheels));
      }
      const at = m.kelvaro_crane_numbers(block.length);
      new Float64Array(m.memory.buffer, at, block.length).set(block);
      m.kelvaro_crane_arrangement_numbers(separator('.'));
      const a = craneAnswer();
      if ('failure' in a) return { failure: a.failure, input: a.input };
      return {
        Dmax: a.Dmax, Dmin: a.Dmin, Z: a.Z, cranesCounted: a.cranesCounted, order: a.order,
        criticalWheel: a.criticalWheel, wheels: a.wheels.map(({ crane, x, y }) => ({ crane, x, y })), H1: a.H1,
        longitudinal: a.longitudinal,
      };
    },
    calculate(formId, texts, sep) {
      symbols.forEach((_, i) => putText(i, texts[i] ?? ''));
      if (!m.kelvaro_calculate(formId, separator(sep))) throw new RangeError(`window ${formId} calculates nothing`);
      return answer();
    },

    /** The most a field holds (UTF-16 units, as a text box's maxLength counts), and so the most a file keeps. */
    maxTextLength: m.kelvaro_max_text_length(),
    /**
     * Reads a calculation file (its bytes, and its name for the messages): { calculation, form, texts: [by input
     * id] }, { calculation: 'CraneArrangement', arrangement }, or { message, title }.
     */
    readFile(bytes, name) {
      putFileText(fileSlot.name, name);
      if (!putFileText(fileSlot.content, bytes)) return this.fileTooLarge(name, bytes.length);
      m.kelvaro_read_file();
      return fileAnswer();
    },
    /** The message for a file refused by its size, before it is read. */
    fileTooLarge(name, size) {
      putFileText(fileSlot.name, name);
      m.kelvaro_file_too_large(size);
      return fileAnswer();
    },
    /** The message for a file of a calculation the page has no window for. */
    fileWithoutWindow(name) {
      putFileText(fileSlot.name, name);
      m.kelvaro_file_without_window();
      return fileAnswer();
    },
    /**
     * The file of a window's texts (by input id) and results as shown (by result id), saved on `date`
     * (YYYY-MM-DD): { content, name } or { message, title }.
     */
    writeFile(formId, texts, results, date) {
      symbols.forEach((_, i) => putFileText(fileSlot.firstInput + i, texts[i] ?? ''));
      for (let i = 0; fileSlot.firstResult + i < fileSlot.firstArrangement; ++i) {
        putFileText(fileSlot.firstResult + i, results[i] ?? '');
      }
      putFileText(fileSlot.date, date);
      if (!m.kelvaro_write_file(formId)) throw new RangeError(`window ${formId} calculates nothing`);
      return fileAnswer();
    },
    /**
     * The several-cranes window's file: `own` and `cranes` as craneArrangement takes them, `results` the texts as
     * shown by the results' index (then one T_L per crane), saved on `date`: { content, name } or { message, title }.
     */
    writeArrangementFile(own, cranes, results, date) {
      if (cranes.length > craneLayout.maxCranes) throw new RangeError(`at most ${craneLayout.maxCranes} cranes`);
      const firstCrane = fileSlot.firstArrangement + craneLayout.ownTexts;
      const firstResult = firstCrane + craneLayout.maxCranes * craneLayout.craneTexts;
      for (let i = 0; i < craneLayout.ownTexts; ++i) putFileText(fileSlot.firstArrangement + i, own[i] ?? '');
      cranes.forEach((row, c) => {
        for (let f = 0; f < craneLayout.craneTexts; ++f) putFileText(firstCrane + c * craneLayout.craneTexts + f, row[f] ?? '');
      });
      for (let i = 0; firstResult + i < m.kelvaro_file_slots(); ++i) putFileText(firstResult + i, results[i] ?? '');
      putFileText(fileSlot.date, date);
      m.kelvaro_write_arrangement_file(cranes.length);
      return fileAnswer();
    },
    /**
     * Ctrl+P in a window: calculate's answer and, on success, its sheet as `sheet` (what it says, and its figure's
     * shapes and texts in tenths of a millimetre: `figureWidth` wide, an ordinate of 1 at most `unitHeight` high).
     */
    sheet(formId, texts, sep, figureWidth, unitHeight) {
      symbols.forEach((_, i) => putText(i, texts[i] ?? ''));
      if (!m.kelvaro_sheet(formId, separator(sep), figureWidth, unitHeight)) {
        throw new RangeError(`window ${formId} calculates nothing`);
      }
      return answer();
    },
  });
}
