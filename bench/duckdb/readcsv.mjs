// Reads a QOR1300 CSV recording into a DuckDB table with two threads, as the viewer reads it: the
// time and nine numbers per line, the two header lines skipped.
//   node readcsv.mjs FILE.CSV [OUT.csv]
// With OUT.csv also writes the table as CSV and prints the seconds that the writing took.
import { DuckDBInstance } from '@duckdb/node-api';

const [file, out] = process.argv.slice(2);
const quoted = (text) => `'${text.replaceAll("'", "''")}'`;
const names = ['Hi.PV', 'Hi.SP', 'Hi.MV', 'Exp.PV', 'Exp.SP', 'Exp.MV', 'Lo.PV', 'Lo.SP', 'Lo.MV'];
const columns = [`'TIME': 'TIMESTAMP'`, ...names.map((name) => `'${name}': 'DOUBLE'`)].join(', ');

const instance = await DuckDBInstance.create(':memory:', { threads: '2' });
const connection = await instance.connect();
await connection.run(`CREATE TABLE recording AS SELECT * FROM read_csv(${quoted(file)}, skip = 2, header = false,
  delim = ',', auto_detect = false, columns = {${columns}})`);
const rows = await connection.runAndReadAll('SELECT count(*) FROM recording');
if (Number(rows.getRows()[0][0]) === 0)
  throw new Error(`no records read from ${file}`);
if (out) {
  const start = process.hrtime.bigint();
  await connection.run(`COPY recording TO ${quoted(out)} (HEADER false)`);
  console.log((Number(process.hrtime.bigint() - start) / 1e9).toFixed(3));
}
